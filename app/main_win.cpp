// Program entry: one instance at a time, the splash while the inventory is
// taken, the main window, and an orderly shutdown.
#include <windows.h>

#include "Application_win.h"
#include "Unit1_win.h"
#include "dmUnit_win.h"
#include "splash_win.h"

namespace {
constexpr DWORD kSplashMs = 3000;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The handle stays open for the life of the process on purpose.
    CreateMutexA(nullptr, TRUE, "Tarnwick");
    if (GetLastError() != 0) {
        Application.Initialize();
        WaitWithMessages(1000);
        return 0;
    }

    Application.Initialize();
    Application.Title = "Tarnwick";

    frmSplash = new TfrmSplash;
    frmSplash->Show();
    frmSplash->Repaint();
    const DWORD t0 = GetTickCount();

    DM = new TDM;
    Form1 = new TForm1;
    Application.MainForm = Form1;

    // Messages queued during creation (a quick lookup's end) run here too.
    Application.ProcessMessagesUntil([t0] { return GetTickCount() - t0 >= kSplashMs; }, kSplashMs);
    frmSplash->Close();
    delete frmSplash;
    frmSplash = nullptr;

    Application.Run();

    // Windows go before the data module, so nothing on screen outlives the inventory.
    delete Form1;
    Form1 = nullptr;
    DM->DataModuleDestroy();
    if (DM->InventoryKeptAlive()) {
        // A worker still blocked in the network would, on waking, touch the
        // inventory and the data module's count of its users; ending the
        // process here stops it instead of freeing what it holds.
        ExitProcess(0);
    }
    delete DM;
    DM = nullptr;
    return 0;
}
