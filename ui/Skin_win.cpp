#include "Skin_win.h"

#include <map>
#include <utility>

const TPicture& SharedPicture(const std::wstring& name, int dpi) {
    static std::map<std::pair<std::wstring, int>, TPicture> cache;
    auto it = cache.find({name, dpi});
    if (it == cache.end()) it = cache.emplace(std::make_pair(name, dpi), TPicture::LoadScaled(name, dpi)).first;
    return it->second;
}

const TSkin& Skin(int dpi) {
    static std::map<int, TSkin> skins;
    auto it = skins.find(dpi);
    if (it == skins.end()) {
        TSkin skin;
        skin.CheckUnchecked = TPicture::LoadScaled(L"CHECK_UNCHECKED", dpi);
        skin.CheckChecked = TPicture::LoadScaled(L"CHECK_CHECKED", dpi);
        skin.CheckUncheckedHot = TPicture::LoadScaled(L"CHECK_UNCHECKED_HOT", dpi);
        skin.CheckCheckedHot = TPicture::LoadScaled(L"CHECK_CHECKED_HOT", dpi);
        it = skins.emplace(dpi, std::move(skin)).first;
    }
    return it->second;
}
