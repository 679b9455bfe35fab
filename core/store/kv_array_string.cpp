#include "core/store/kv_array_string.h"

namespace orbel {

void TkvArrayString::buildIndex() const {
    if (indexed_) return;
    first_.reserve(items_.size());
    for (size_t i = 0; i < items_.size(); ++i) first_.try_emplace(items_[i], static_cast<int>(i));
    indexed_ = true;
}

void AppendString(TkvArrayString& a, const std::string& text) {
    if (a.indexed_) a.first_.try_emplace(text, static_cast<int>(a.items_.size()));
    a.items_.push_back(text);
}

int FindString(const TkvArrayString& a, const std::string& text) {
    a.buildIndex();
    auto it = a.first_.find(text);
    return it == a.first_.end() ? -1 : it->second;
}

void TkvArrayString::set(int i, const std::string& text) {
    std::string& slot = items_.at(static_cast<size_t>(i));
    if (slot == text) return;
    if (!indexed_) {
        slot = text;
        return;
    }
    auto old = first_.find(slot);
    if (old != first_.end() && old->second == i) {
        // The old text may still occur further on: its first position moves there.
        first_.erase(old);
        for (size_t j = static_cast<size_t>(i) + 1; j < items_.size(); ++j)
            if (items_[j] == slot) {
                first_.emplace(slot, static_cast<int>(j));
                break;
            }
    }
    slot = text;
    auto cur = first_.find(text);
    if (cur == first_.end() || cur->second > i) first_[text] = i;
}

void TkvArrayString::clear() {
    items_.clear();
    first_.clear();
    indexed_ = false;
}

}  // namespace orbel
