// Window shapes cut from a picture: exactly the pixels that differ from the
// transparent colour, last row and last column included.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Handle_win.h"
#include "PubUnit_win.h"

namespace {

constexpr COLORREF kKey = RGB(0, 128, 0);
constexpr COLORREF kInk = RGB(20, 40, 200);

// A bitmap from rows of text: '.' is the key colour, '#' is ink.
UniqueBitmap MakeBitmap(const std::vector<std::string>& rows) {
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows[0].size());
    WindowDc screen(nullptr, GetDC(nullptr));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    SelectObjectScope select(dc.get(), bitmap.get());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(dc.get(), x, y, rows[y][x] == '#' ? kInk : kKey);
    return bitmap;
}

std::vector<std::string> RegionRows(HRGN region, int width, int height) {
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (PtInRegion(region, x, y)) rows[y][x] = '#';
    return rows;
}

struct PopupWindow {
    PopupWindow()
        : handle(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 12, 8, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr)) {}
    ~PopupWindow() { DestroyWindow(handle); }
    HWND handle;
};

const std::vector<std::string> kShape = {
    "....##......",
    "...####.....",
    "..#....#...#",
    "..##..##...#",
    "#..........#",
    ".....#......",
    "............",
    "######...###",
};

TEST(PictureRegion, CoversExactlyTheOpaquePixels) {
    PopupWindow window;
    UniqueBitmap bitmap = MakeBitmap(kShape);
    UniqueRegion region(CreateRegionFromBitmap(bitmap.get(), kKey, window.handle));
    ASSERT_TRUE(region);
    EXPECT_EQ(RegionRows(region.get(), 14, 10),
              (std::vector<std::string>{"....##........", "...####.......", "..#....#...#..",
                                        "..##..##...#..", "#..........#..", ".....#........",
                                        "..............", "######...###..", "..............",
                                        ".............."}));
}

TEST(PictureRegion, AllTransparentGivesAnEmptyRegion) {
    PopupWindow window;
    UniqueBitmap bitmap = MakeBitmap({"...", "..."});
    UniqueRegion region(CreateRegionFromBitmap(bitmap.get(), kKey, window.handle));
    if (region) {
        RECT box;
        EXPECT_EQ(GetRgnBox(region.get(), &box), NULLREGION);
    }
}

TEST(PictureRegion, WindowTakesTheShapeKeyedOnTheTopLeftPixel) {
    PopupWindow window;
    UniqueBitmap bitmap = MakeBitmap(kShape);
    ApplyPictureRegion(window.handle, bitmap.get());
    UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window.handle, shape.get()), ERROR);
    EXPECT_EQ(RegionRows(shape.get(), 12, 8), kShape);
}

TEST(PictureRegion, OpaqueTopLeftMakesTheOtherColourTheHoles) {
    PopupWindow window;
    // The top-left pixel is ink here, so ink becomes transparent and key colour stays.
    UniqueBitmap bitmap = MakeBitmap({"#..#", "####", "#.##"});
    ApplyPictureRegion(window.handle, bitmap.get());
    UniqueRegion shape(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window.handle, shape.get()), ERROR);
    EXPECT_EQ(RegionRows(shape.get(), 4, 3), (std::vector<std::string>{".##.", "....", ".#.."}));
}

}  // namespace
