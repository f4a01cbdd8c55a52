#include "Font_win.h"

#include <map>
#include <tuple>

#include "Dpi_win.h"
#include "Handle_win.h"

HFONT TFont::Handle(int dpi) const {
    using Key = std::tuple<std::wstring, int, bool, bool, int>;
    static std::map<Key, UniqueGdiObject> cache;
    const Key key{Name, Height, Bold, Underline, dpi};
    auto it = cache.find(key);
    if (it == cache.end()) {
        HFONT font = CreateFontW(-ScaleValue(Height, dpi), 0, 0, 0, Bold ? FW_BOLD : FW_NORMAL, FALSE, Underline,
                                 FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 CLEARTYPE_QUALITY, DEFAULT_PITCH, Name.c_str());
        it = cache.emplace(key, UniqueGdiObject(font)).first;
    }
    return static_cast<HFONT>(it->second.get());
}
