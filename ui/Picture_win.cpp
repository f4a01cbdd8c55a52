#include "Picture_win.h"

#include "Dpi_win.h"

TPicture::TPicture(HBITMAP bitmap) : bitmap_(bitmap) {
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

void TPicture::Draw(HDC dc, int x, int y) const {
    if (!bitmap_) return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectObjectScope select(source.get(), bitmap_.get());
    BitBlt(dc, x, y, width_, height_, source.get(), 0, 0, SRCCOPY);
}
