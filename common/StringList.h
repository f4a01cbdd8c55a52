// An ordered list of (text, object) pairs: unsorted, duplicates allowed.
// IndexOf answers the first position whose text equals the given one without
// regard to case, in the user's locale. A hash index beside the list keeps
// look-ups constant-time, so building and merging large inventories stays
// linear; inserting before the end only marks the index for a rebuild.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "TextCompare.h"

template <typename T>
class TStringList {
public:
    // An owning list frees its objects when they leave it.
    explicit TStringList(bool OwnsObjects = false) : owns_(OwnsObjects) {}
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;
    ~TStringList() { Clear(); }

    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Strings(int index) const { return items_.at(index).text; }
    T* Objects(int index) const { return items_.at(index).object; }

    int AddObject(std::string text, T* object) {
        const int index = Count();
        std::string key = CollationKey(text);
        items_.push_back({std::move(text), object});
        if (!dirty_) first_.try_emplace(std::move(key), index);
        return index;
    }

    void InsertObject(int index, std::string text, T* object) {
        if (index >= Count()) {
            AddObject(std::move(text), object);
            return;
        }
        items_.insert(items_.begin() + index, Item{std::move(text), object});
        dirty_ = true;
    }

    int IndexOf(std::string_view text) const {
        if (dirty_) Reindex();
        const auto it = first_.find(CollationKey(text));
        return it == first_.end() ? -1 : it->second;
    }

    void Clear() {
        if (owns_)
            for (Item& item : items_) std::default_delete<T>()(item.object);
        items_.clear();
        first_.clear();
        dirty_ = false;
    }

private:
    struct Item {
        std::string text;
        T* object;
    };

    void Reindex() const {
        first_.clear();
        for (int i = 0; i < Count(); ++i) first_.try_emplace(CollationKey(items_[i].text), i);
        dirty_ = false;
    }

    bool owns_;
    std::vector<Item> items_;
    mutable std::unordered_map<std::string, int> first_;
    mutable bool dirty_ = false;
};
