#include "core/store/kv_array_string.h"

#include <limits>
#include <stdexcept>

namespace orbel {

std::string_view TkvArrayString::view(int i) const {
    const Span s = spans_.at(static_cast<size_t>(i));
    return std::string_view(text_).substr(s.offset, s.size);
}

TkvArrayString::Span TkvArrayString::store(std::string_view text) {
    constexpr size_t kMax = std::numeric_limits<std::uint32_t>::max();
    if (text.size() > kMax || text_.size() > kMax - text.size())
        throw std::length_error("string array larger than 4 GiB");
    const Span s{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(text.size())};
    text_.append(text);
    return s;
}

std::vector<std::string> TkvArrayString::items() const {
    std::vector<std::string> out;
    out.reserve(spans_.size());
    for (int i = 0; i < length(); ++i) out.emplace_back(view(i));
    return out;
}

void TkvArrayString::buildIndex() const {
    if (indexed_) return;
    first_.reserve(spans_.size());
    for (int i = 0; i < length(); ++i) first_.try_emplace(std::string(view(i)), i);
    indexed_ = true;
}

void AppendString(TkvArrayString& a, const std::string& text) {
    const TkvArrayString::Span s = a.store(text);
    a.spans_.push_back(s);
    if (a.indexed_) a.first_.try_emplace(text, a.length() - 1);
}

int FindString(const TkvArrayString& a, const std::string& text) {
    a.buildIndex();
    auto it = a.first_.find(text);
    return it == a.first_.end() ? -1 : it->second;
}

void TkvArrayString::set(int i, const std::string& text) {
    const std::string old(view(i));
    if (old == text) return;
    Span& slot = spans_.at(static_cast<size_t>(i));
    if (text.size() <= slot.size) {
        // Fits where the old text was.
        text_.replace(slot.offset, text.size(), text);
        slot.size = static_cast<std::uint32_t>(text.size());
    } else {
        slot = store(text);
    }
    if (!indexed_) return;
    auto prev = first_.find(old);
    if (prev != first_.end() && prev->second == i) {
        // The old text may still occur further on: its first position moves there.
        first_.erase(prev);
        for (int j = i + 1; j < length(); ++j)
            if (view(j) == old) {
                first_.emplace(old, j);
                break;
            }
    }
    auto cur = first_.find(text);
    if (cur == first_.end() || cur->second > i) first_[text] = i;
}

void TkvArrayString::clear() {
    text_.clear();
    spans_.clear();
    first_.clear();
    indexed_ = false;
}

}  // namespace orbel
