#include "Skin_win.h"

#include <map>
#include <utility>

const TPicture& SharedPicture(const std::wstring& name, int dpi) {
    static std::map<std::pair<std::wstring, int>, TPicture> cache;
    auto it = cache.find({name, dpi});
    if (it == cache.end()) it = cache.emplace(std::make_pair(name, dpi), TPicture::LoadScaled(name, dpi)).first;
    return it->second;
}

const TSkin& Skin(int dpi, bool on_panel) {
    static std::map<std::pair<int, bool>, TSkin> skins;
    auto it = skins.find({dpi, on_panel});
    if (it == skins.end()) {
        const std::wstring suffix = on_panel ? L"_PANEL" : L"";
        TSkin skin;
        skin.CheckUnchecked = TPicture::LoadScaled(L"CHECK_UNCHECKED" + suffix, dpi);
        skin.CheckChecked = TPicture::LoadScaled(L"CHECK_CHECKED" + suffix, dpi);
        skin.CheckUncheckedHot = TPicture::LoadScaled(L"CHECK_UNCHECKED_HOT" + suffix, dpi);
        skin.CheckCheckedHot = TPicture::LoadScaled(L"CHECK_CHECKED_HOT" + suffix, dpi);
        it = skins.emplace(std::make_pair(dpi, on_panel), std::move(skin)).first;
    }
    return it->second;
}
