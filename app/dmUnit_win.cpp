#include "dmUnit_win.h"

#include <objbase.h>

#include <exception>

#include "Application_win.h"
#include "Dpi_win.h"
#include "LookupPlatform_win.h"
#include "PubUnit_win.h"
#include "http_win.h"

TDM* DM = nullptr;
TDriverManager* DriverManager = nullptr;

namespace {
// How long shutdown waits for a worker that still uses the inventory.
constexpr unsigned kInventoryWaitMs = 3000;

// COM for the calling thread for one scope (apartment model).
class ComScope {
public:
    ComScope() : result_(CoInitialize(nullptr)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }

private:
    HRESULT result_;
};
}  // namespace

TDM::TDM() { DataModuleCreate(); }

TDM::~TDM() { DataModuleDestroy(); }

void TDM::DataModuleCreate() {
    driver_icons_ = std::make_unique<TImageList>(TPicture::LoadScaled(L"CLASS_ICONS", ScreenDpi()));
    DriverManager = new TDriverManager;
    lookup_platform_ = std::make_unique<TWindowsLookupPlatform>(GetDataFolder() + "setup.ini");
    DriverManager->Platform = lookup_platform_.get();
    DriverManager->ScanHardware();
    DriverManager->LoadInventory();

    auto* check = new TCheckUpdateThread;
    check->Priority = TThreadPriority::tpLower;
    check->FreeOnTerminate = true;
    check->Start();
}

void TDM::DataModuleDestroy() {
    Application.ProcessMessagesUntil([this] { return InventoryUsers.Idle(); }, kInventoryWaitMs);
    if (InventoryUsers.Idle()) {
        delete DriverManager;
        lookup_platform_.reset();
    } else {
        // A worker blocked in the network still holds the inventory; the
        // process ends in a moment, so leaving it allocated is the safe choice.
        inventory_kept_alive_ = true;
        static_cast<void>(lookup_platform_.release());
    }
    DriverManager = nullptr;
}

std::string TDM::GetDataFolder() {
    const std::string path = GetAppDataFolder() + "\\Tarnwick\\";
    ForceDirectories(path);
    return path;
}

void TDM::HttpPost(const std::string& url, const std::string& body, std::string& reply, std::string& final_url) {
    reply.clear();
    const ComScope com;
    THTTP http;  // closes its handles however the exchange ends
    if (!http.IsOpen()) http.Open();
    http.Post(url, body, reply, final_url);
    http.Close();
}

void TCheckUpdateThread::Execute() { TDM::GetDataFolder(); }

void TScanThread::Execute() {
    if (Manager) {
        try {
            Manager->GetRemoteDriverURLs();
        } catch (const std::exception&) {
            // A reply that cannot be decoded leaves every answer unapplied,
            // just like an unusable one.
        }
    }
    InventoryLease.End();
}

void WaitWithMessages(unsigned Milliseconds) {
    Application.ProcessMessagesUntil([] { return false; }, Milliseconds);
}
