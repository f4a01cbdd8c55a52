#include "PubUnit_win.h"

#include <shlobj.h>

#include <iterator>

#include "Handle_win.h"

std::string GetAppDataFolder() {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    std::string folder(path);
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

bool ForceDirectories(const std::string& path) {
    // Each prefix that ends at a separator is created in turn; ones that
    // exist already (drives, shares, folders made by another thread) fail
    // harmlessly.
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\' && path[i] != '/') continue;
        const std::string prefix = path.substr(0, i);
        if (prefix.back() != ':') CreateDirectoryA(prefix.c_str(), nullptr);
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF transparent, HWND window) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) return nullptr;
    WindowDc window_dc(window, GetWindowDC(window));
    if (!window_dc) return nullptr;
    UniqueMemoryDc memory(CreateCompatibleDC(window_dc.get()));
    SelectObjectScope select(memory.get(), bitmap);

    BeginPath(window_dc.get());
    for (int x = 0; x < info.bmWidth; ++x) {
        int y = 0;
        while (y < info.bmHeight) {
            while (y < info.bmHeight && GetPixel(memory.get(), x, y) == transparent) ++y;
            if (y == info.bmHeight) break;
            const int top = y;
            while (y < info.bmHeight && GetPixel(memory.get(), x, y) != transparent) ++y;
            // Rows top..y-1 are opaque; the figure's bottom and right edges are exclusive.
            MoveToEx(window_dc.get(), x, top, nullptr);
            LineTo(window_dc.get(), x, y);
            LineTo(window_dc.get(), x + 1, y);
            LineTo(window_dc.get(), x + 1, top);
            CloseFigure(window_dc.get());
        }
    }
    EndPath(window_dc.get());
    return PathToRegion(window_dc.get());
}

void ApplyPictureRegion(HWND window, HBITMAP picture) {
    const auto copy = static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, 0, 0, 0));
    if (!copy) return;
    UniqueBitmap bitmap(copy);
    COLORREF transparent = 0;
    {
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        SelectObjectScope select(dc.get(), bitmap.get());
        transparent = GetPixel(dc.get(), 0, 0);
    }
    HRGN region = CreateRegionFromBitmap(bitmap.get(), transparent, window);
    // The window owns the region once it has taken it.
    if (region && !SetWindowRgn(window, region, TRUE)) DeleteObject(region);
}

std::string GetFileVersionText(const std::string& path) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0) return {};
    std::string data(size, '\0');
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info) return {};
    return std::to_string(HIWORD(info->dwFileVersionMS)) + "." + std::to_string(LOWORD(info->dwFileVersionMS)) +
           "." + std::to_string(HIWORD(info->dwFileVersionLS)) + "." + std::to_string(LOWORD(info->dwFileVersionLS));
}

bool IsFileInUse(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file;
}

namespace {
UniqueHKey OpenRunKey(HKEY root) {
    UniqueHKey key;
    if (RegCreateKeyExA(root, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        key.reset();
    return key;
}
}  // namespace

void WriteRunValueUnder(std::initializer_list<HKEY> roots, const std::string& Data, const std::string& ValueName) {
    for (auto root = roots.begin(); root != roots.end(); ++root) {
        UniqueHKey key = OpenRunKey(*root);
        if (!key) continue;
        if (RegSetValueExA(key.get(), ValueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Data.c_str()),
                           static_cast<DWORD>(Data.size() + 1)) == ERROR_SUCCESS) {
            // A fallback entry from an earlier save would start the program twice.
            for (auto later = std::next(root); later != roots.end(); ++later) DeleteRunValueUnder({*later}, ValueName);
            return;
        }
    }
}

void DeleteRunValueUnder(std::initializer_list<HKEY> roots, const std::string& ValueName) {
    for (HKEY root : roots) {
        UniqueHKey key;
        if (RegOpenKeyExA(root, kRunKey, 0, KEY_ALL_ACCESS, key.put()) == ERROR_SUCCESS)
            RegDeleteValueA(key.get(), ValueName.c_str());
    }
}

void WriteRunValue(const std::string& Data, const std::string& ValueName) {
    WriteRunValueUnder({HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}, Data, ValueName);
}

void DeleteRunValue(const std::string& ValueName) {
    DeleteRunValueUnder({HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}, ValueName);
}
