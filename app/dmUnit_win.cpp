#include "dmUnit_win.h"

#include <objbase.h>

#include <exception>

#include "Application_win.h"
#include "Dpi_win.h"
#include "Handle_win.h"
#include "LookupPlatform_win.h"
#include "Translate.h"
#include "PubUnit_win.h"
#include "http_win.h"

TDM* DM = nullptr;
TDriverManager* DriverManager = nullptr;

namespace {

std::string ReadWholeFile(const std::string& path) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {};
    LARGE_INTEGER size{};
    // A catalogue is small; anything huge is not one.
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > (16 << 20)) return {};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}

// Catalogues live beside the program: locale\<ll_CC>\LC_MESSAGES\default.mo,
// or under the language alone.
void LoadTranslations(const std::string& language) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\') + 1);
    for (const std::string& name : {language, language.substr(0, language.find('_'))}) {
        TMessageCatalogue catalogue;
        if (catalogue.Load(ReadWholeFile(folder + "locale\\" + name + "\\LC_MESSAGES\\default.mo"))) {
            SetTranslations(std::move(catalogue));
            return;
        }
    }
}

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
    LoadTranslations(DriverManager->GetLanguage());
    DriverManager->ScanHardware();
    DriverManager->LoadInventory();

    auto* check = new TCheckUpdateThread;
    check->Priority = TThreadPriority::tpLower;
    check->FreeOnTerminate = true;
    check->Start();
}

void TDM::DataModuleDestroy() {
    // WinMain runs this before it decides how the process ends; the
    // destructor's second call then has nothing left to do.
    if (!lookup_platform_) return;
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
            Answered = Manager->GetRemoteDriverURLs() == 0;
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
