// Starts Tarnwick.exe, walks through its pages the way a user would (mouse
// clicks on the window), and saves a picture of each page as a BMP file:
// scan, scanning, download (after the scan), settings, about. With "prompt",
// it opens the download page while the lookup is still running instead and
// pictures the scan prompt over the window.
// Usage: screenshot_walk.exe OUTPUT_FOLDER [prompt]
// Exit code 0 when every picture was taken and Tarnwick ended cleanly.
#include <windows.h>

#include "Handle_win.h"
#include "ProgramWindows.h"

#include <cstdio>
#include <string>

namespace {

struct Walk {
    DWORD process_id = 0;
    HWND window = nullptr;
    int dpi = 96;
    std::string folder;
};

void Click(const Walk& walk, int x, int y) { ClickAt(walk.window, walk.dpi, x, y); }

// Saves what the screen shows of the window.
bool Capture(const Walk& walk, const char* name) {
    RECT r;
    GetWindowRect(walk.window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const WindowDc screen(nullptr, GetDC(nullptr));
    const UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !memory) return false;
    {
        const SelectObjectScope selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    const std::string path = walk.folder + "\\" + name + ".bmp";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    bool ok = out != nullptr;
    if (out) {
        ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
             std::fwrite(bits, static_cast<std::size_t>(stride) * height, 1, out) == 1;
        ok = std::fclose(out) == 0 && ok;
    }
    std::printf("%s %s\n", ok ? "saved" : "FAILED", path.c_str());
    return ok;
}

bool WalkThroughPages(const Walk& walk) {
    Sleep(2500);  // the lookup of the start-up ends meanwhile
    bool ok = Capture(walk, "1-scan");

    Click(walk, 185 + 197 + 154, 123 + 182 + 30);  // START SCAN
    for (int i = 0; i < 300 && IsWindowEnabled(walk.window); ++i) Sleep(10);
    Sleep(120);
    ok = Capture(walk, "2-scanning") && ok;
    for (int i = 0; i < 3000 && !IsWindowEnabled(walk.window); ++i) Sleep(10);
    Sleep(4500);  // the list is built and the warning has flashed
    ok = Capture(walk, "3-download") && ok;

    Click(walk, 94, 123 + 80 + 20);  // Settings
    Sleep(800);
    ok = Capture(walk, "4-settings") && ok;
    Click(walk, 94, 123 + 120 + 20);  // About
    Sleep(800);
    ok = Capture(walk, "5-about") && ok;
    return ok;
}

// The lookup never answers here, so the download page asks for a scan first.
bool WalkToPrompt(const Walk& walk) {
    Sleep(2500);  // the splash has gone
    Click(walk, 94, 123 + 40 + 20);  // Download
    HWND prompt = nullptr;
    for (int i = 0; i < 300 && !prompt; ++i) {
        Sleep(20);
        prompt = FindWindowW(nullptr, L"Message");
    }
    if (!prompt) return false;
    Sleep(800);
    const bool ok = Capture(walk, "6-prompt");
    PostMessageW(prompt, WM_CLOSE, 0, 0);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    Walk walk;
    walk.folder = argv[1];
    walk.dpi = ScreenDpi();
    const std::wstring program = ProgramPath();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return 3;
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    walk.process_id = started.dwProcessId;
    for (int i = 0; i < 600 && !walk.window; ++i) {
        Sleep(100);
        walk.window = VisibleWindowOf(walk.process_id);
    }
    if (!walk.window) return 4;
    SetForegroundWindow(walk.window);
    const bool ok = argc > 2 && std::string(argv[2]) == "prompt" ? WalkToPrompt(walk) : WalkThroughPages(walk);

    // The end of the session ends the program.
    SendMessageW(walk.window, WM_QUERYENDSESSION, 0, 0);
    PostMessageW(walk.window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0;
    if (!ended) TerminateProcess(process.get(), 1);
    return ok && ended ? 0 : 1;
}
