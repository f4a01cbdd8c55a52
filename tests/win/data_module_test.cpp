// The data module: the inventory from the real probe library, the data
// folder, waits that keep messages flowing, and a shutdown that never frees
// the inventory under a worker.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "AnsiText.h"
#include "Application_win.h"
#include "ErrorBox.h"
#include "PubUnit_win.h"
#include "dmUnit_win.h"

namespace {

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

TEST(DataFolder, IsCreatedOnFirstUseAndEndsWithABackslash) {
    const std::string app_data = GetAppDataFolder();
    ASSERT_FALSE(app_data.empty());
    ASSERT_NE(app_data.back(), '\\');
    RemoveTree(app_data + "\\Tarnwick");
    ASSERT_FALSE(IsFolder(app_data + "\\Tarnwick"));

    const std::string path = TDM::GetDataFolder();
    EXPECT_EQ(path, app_data + "\\Tarnwick\\");
    EXPECT_TRUE(IsFolder(path));
}

TEST(DataFolder, MissingParentsAreCreatedToo) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "tarnwick-parents";
    RemoveTree(root);
    const std::string deep = root + "\\a\\b\\c\\";
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(IsFolder(root + "\\a\\b\\c"));
    EXPECT_TRUE(ForceDirectories(deep));  // existing folders are fine
    RemoveTree(root);
}

int delivered = 0;

LRESULT CALLBACK CountingWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP + 7) ++delivered;
    return DefWindowProcW(w, m, wp, lp);
}

void CALLBACK PostOnTimer(HWND w, UINT, UINT_PTR, DWORD) { PostMessageW(w, WM_APP + 7, 0, 0); }

// The tray balloon takes UTF-16; the program's texts are in the code page.
TEST(AnsiText, CodePageTextsWidenWithoutLoss) {
    const std::u16string size = u"Gr\u00F6\u00DF" "e";
    const std::string ansi = WideToAnsi(size);
    EXPECT_NE(ansi, "Gr??e");
    EXPECT_EQ(AnsiToWide(ansi), size);
    EXPECT_EQ(AnsiToWide(""), u"");
}

TEST(WaitWithMessages, KeepsDispatchingWhileTheTimePasses) {
    delivered = 0;
    WNDCLASSW cls{};
    cls.lpfnWndProc = CountingWindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"WaitProbe";
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(0, L"WaitProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  cls.hInstance, nullptr);
    SetTimer(window, 1, 10, PostOnTimer);

    const DWORD start = GetTickCount();
    WaitWithMessages(300);
    const DWORD elapsed = GetTickCount() - start;
    KillTimer(window, 1);
    DestroyWindow(window);
    EXPECT_GE(elapsed, 300u);
    EXPECT_GE(delivered, 3);  // messages ran while the time passed
}

class Handing : public TThread {
public:
    Handing() : TThread(true) {}
    ~Handing() override { WaitFor(); }
    int seen = 0;

protected:
    void Execute() override {
        Synchronize([this] { seen = 1; });
    }
};

TEST(WaitWithMessages, RunsWorkerHandOversWithoutDelay) {
    Handing worker;
    worker.Start();
    const DWORD start = GetTickCount();
    EXPECT_TRUE(Application.ProcessMessagesUntil([&] { return worker.seen == 1; }, 5000));
    EXPECT_LT(GetTickCount() - start, 5000u);
}

class DataModule : public testing::Test {
protected:
    void SetUp() override {
        previous_ = SetErrorBoxHandler([this](const std::string& text, const std::string&) {
            boxes.push_back(text);
        });
    }
    void TearDown() override {
        delete DM;
        DM = nullptr;
        SetErrorBoxHandler(previous_);
    }
    std::vector<std::string> boxes;

private:
    ErrorBoxHandler previous_;
};

TEST_F(DataModule, LoadsTheMachinesDevicesIntoCategories) {
    DM = new TDM;
    ASSERT_NE(DriverManager, nullptr);
    EXPECT_TRUE(DriverManager->Initialized);
    EXPECT_TRUE(boxes.empty());
    int in_categories = 0;
    for (int i = 0; i < DriverManager->Categories.Count(); ++i) {
        const TDriverCategory* category = DriverManager->Categories.Objects(i);
        EXPECT_EQ(DriverManager->Categories.Strings(i), category->ClassGUID);
        for (int j = 0; j < category->Drivers.Count(); ++j)
            EXPECT_EQ(category->Drivers.Objects(j)->Category, category);
        in_categories += category->Drivers.Count();
    }
    EXPECT_EQ(in_categories, DriverManager->DriversCount());
}

TEST_F(DataModule, SeededDevicesStandInTheirCategories) {
    DM = new TDM;
    auto category_of = [](const std::string& hardware_id) -> std::string {
        const int index = DriverManager->Drivers.IndexOf(hardware_id);
        return index < 0 ? "" : DriverManager->Drivers.Objects(index)->Category->ClassName;
    };
    EXPECT_EQ(category_of("PCI\\VEN_8086&DEV_27C8&SUBSYS_30A217AA&REV_02"), "System");
    EXPECT_EQ(category_of("ROOT\\LEGACY_X"), "System");
    EXPECT_EQ(category_of("PCI\\VEN_10DE&DEV_0640"), "Display");
    EXPECT_EQ(category_of("USB\\VID_046D&PID_C52B&MI_00"), "HIDClass");
    EXPECT_EQ(category_of("USB\\VID_0781&PID_5567"), "USB");
    EXPECT_EQ(category_of("ROOT\\LEGACY_TARNWICKSVC"), "");
    // Display adapters are one of the classes that stand first.
    ASSERT_GT(DriverManager->Categories.Count(), 0);
    EXPECT_EQ(DriverManager->Categories.Objects(0)->ClassName, "Display");
    const int index = DriverManager->Drivers.IndexOf("pci\\ven_10de&dev_0640");
    ASSERT_GE(index, 0);
    EXPECT_EQ(FieldToAnsi(DriverManager->Drivers.Objects(index)->Detail.driver_version), "8.17.12.6099");
}

TEST_F(DataModule, FreesTheInventoryWhenNoWorkerUsesIt) {
    DM = new TDM;
    DM->DataModuleDestroy();
    EXPECT_EQ(DriverManager, nullptr);
    EXPECT_FALSE(DM->InventoryKeptAlive());
    // The library was uninitialised with the inventory.
    EXPECT_EQ(qz_scan_hardware(), -1);
}

TEST_F(DataModule, KeepsTheInventoryAliveForAWorkerThatDoesNotEnd) {
    DM = new TDM;
    TDriverManager* inventory = DriverManager;
    const int devices = inventory->DriversCount();
    std::atomic<bool> release{false};
    std::atomic<int> seen{-1};
    class Busy : public TThread {
    public:
        Busy(ActivityCounter::Lease lease, TDriverManager* manager, std::atomic<bool>& release,
             std::atomic<int>& seen)
            : TThread(true), lease_(std::move(lease)), manager_(manager), release_(release), seen_(seen) {}
        ~Busy() override { WaitFor(); }

    protected:
        void Execute() override {
            while (!release_) Sleep(5);
            seen_ = manager_->DriversCount();  // still valid after the module went
            lease_.End();
        }

    private:
        ActivityCounter::Lease lease_;
        TDriverManager* manager_;
        std::atomic<bool>& release_;
        std::atomic<int>& seen_;
    };
    Busy worker(DM->InventoryUsers.Acquire(), inventory, release, seen);
    worker.Start();

    const DWORD start = GetTickCount();
    DM->DataModuleDestroy();
    EXPECT_LT(GetTickCount() - start, 10000u);  // bounded, not waiting for ever
    EXPECT_TRUE(DM->InventoryKeptAlive());
    EXPECT_EQ(DriverManager, nullptr);

    release = true;
    worker.WaitFor();
    EXPECT_EQ(seen, devices);
    delete inventory;
}

TEST_F(DataModule, BackgroundThreadCreatesTheDataFolder) {
    const std::string folder = GetAppDataFolder() + "\\Tarnwick";
    RemoveTree(folder);
    DM = new TDM;
    EXPECT_TRUE(Application.ProcessMessagesUntil([&] { return IsFolder(folder); }, 10000));
}

}  // namespace
