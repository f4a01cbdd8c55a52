#include "dmUnit_win.h"

#include "Application_win.h"
#include "PubUnit_win.h"

TDM* DM = nullptr;
TDriverManager* DriverManager = nullptr;

namespace {
// How long shutdown waits for a worker that still uses the inventory.
constexpr unsigned kInventoryWaitMs = 3000;
}  // namespace

TDM::TDM() { DataModuleCreate(); }

TDM::~TDM() { DataModuleDestroy(); }

void TDM::DataModuleCreate() {
    DriverManager = new TDriverManager;
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
    } else {
        // A worker blocked in the network still holds the inventory; the
        // process ends in a moment, so leaving it allocated is the safe choice.
        inventory_kept_alive_ = true;
    }
    DriverManager = nullptr;
}

std::string TDM::GetDataFolder() {
    const std::string path = GetAppDataFolder() + "\\Tarnwick\\";
    ForceDirectories(path);
    return path;
}

void TCheckUpdateThread::Execute() { TDM::GetDataFolder(); }

void WaitWithMessages(unsigned Milliseconds) {
    Application.ProcessMessagesUntil([] { return false; }, Milliseconds);
}
