#include "ImageList_win.h"

void TImageList::Draw(HDC dc, int x, int y, int index) const {
    if (index < 0 || index >= Count()) return;
    strip_.DrawPart(dc, x, y, index * Size(), 0, Size(), Size());
}
