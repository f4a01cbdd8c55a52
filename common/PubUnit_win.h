// Shared routines that need the Windows API.
#pragma once

#include <windows.h>

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
