// Shared routines that need the Windows API.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

// The shell's per-user application-data folder, without trailing backslash.
std::string GetAppDataFolder();

// Creates the folder and every missing parent; answers whether it exists after.
bool ForceDirectories(const std::string& path);

// The region covering exactly the bitmap's pixels whose colour differs from
// `transparent`: one-pixel-wide runs, column by column. Null on failure.
HRGN CreateRegionFromBitmap(HBITMAP bitmap, COLORREF transparent, HWND window);

// Shapes a borderless window like its background picture; the picture's
// top-left pixel gives the transparent colour. Without a region the window
// keeps its rectangle.
void ApplyPictureRegion(HWND window, HBITMAP picture);

// "%d.%d.%d.%d" from the file's version resource; empty when it has none.
std::string GetFileVersionText(const std::string& path);

// True when the file exists and cannot be opened for reading and writing
// without sharing (someone holds it open).
bool IsFileInUse(const std::string& path);

// Writes the autostart value under the machine-wide Run key, or under the
// user's when the machine-wide key cannot be opened for writing (an ordinary
// user without administrative rights).
void WriteRunValue(const std::string& Data, const std::string& ValueName);
// Deletes the value from both Run keys; missing keys or values are fine.
void DeleteRunValue(const std::string& ValueName);

// The same, over the given roots in the order they are tried.
void WriteRunValueUnder(std::initializer_list<HKEY> roots, const std::string& Data, const std::string& ValueName);
void DeleteRunValueUnder(std::initializer_list<HKEY> roots, const std::string& ValueName);

inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
