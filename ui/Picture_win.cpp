#include "Picture_win.h"

#include "Dpi_win.h"

TPicture::TPicture(HBITMAP bitmap) : bitmap_(std::make_shared<UniqueBitmap>(bitmap)) {
    BITMAP info{};
    if (bitmap && GetObjectW(bitmap, sizeof info, &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
}

namespace {

HBITMAP LoadBitmapResource(const std::wstring& name) {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name.c_str(), IMAGE_BITMAP, 0,
                                           0, LR_CREATEDIBSECTION));
}

// A copy of `source` at width by height, smoothed.
HBITMAP Stretch(const TPicture& source, int width, int height) {
    WindowDc screen(nullptr, GetDC(nullptr));
    HBITMAP result = CreateCompatibleBitmap(screen.get(), width, height);
    UniqueMemoryDc from(CreateCompatibleDC(screen.get()));
    UniqueMemoryDc to(CreateCompatibleDC(screen.get()));
    SelectObjectScope select_from(from.get(), source.Handle());
    SelectObjectScope select_to(to.get(), result);
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
    StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, source.Width(), source.Height(),
               SRCCOPY);
    return result;
}

}  // namespace

TPicture TPicture::LoadScaled(const std::wstring& name, int dpi) {
    const int percents[] = {100, 150, 200};
    int chosen = 200;
    for (int percent : percents) {
        if (percent * 96 >= dpi * 100) {
            chosen = percent;
            break;
        }
    }
    TPicture picture(LoadBitmapResource(name + L"_" + std::to_wstring(chosen)));
    if (picture.Empty() || chosen * 96 == dpi * 100) return picture;
    const int width = ScaleValue(picture.Width() * 100 / chosen, dpi);
    const int height = ScaleValue(picture.Height() * 100 / chosen, dpi);
    return TPicture(Stretch(picture, width, height));
}

void TPicture::Draw(HDC dc, int x, int y) const { DrawPart(dc, x, y, 0, 0, width_, height_); }

void TPicture::DrawPart(HDC dc, int to_x, int to_y, int x, int y, int width, int height) const {
    if (Empty()) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectObjectScope select(source.get(), Handle());
    BitBlt(dc, to_x, to_y, width, height, source.get(), x, y, SRCCOPY);
}

void TPicture::StretchDraw(HDC dc, const RECT& target) const {
    if (Empty()) return;
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width == width_ && height == height_) {
        Draw(dc, target.left, target.top);
        return;
    }
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectObjectScope select(source.get(), Handle());
    const int old_mode = SetStretchBltMode(dc, HALFTONE);
    POINT origin;
    SetBrushOrgEx(dc, 0, 0, &origin);
    StretchBlt(dc, target.left, target.top, width, height, source.get(), 0, 0, width_, height_, SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, old_mode);
}
