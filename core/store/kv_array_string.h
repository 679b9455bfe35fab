#pragma once
// The program's growable array of strings. Lookups are exact and return the
// first match; an index of first positions keeps FindString cheap on large
// stores without changing what it answers. The index is made by the first
// lookup: most arrays (paths, parameters) are never searched, and an index
// of a large store's paths would hold every path twice.

#include <string>
#include <unordered_map>
#include <vector>

namespace orbel {

class TkvArrayString {
public:
    int length() const { return static_cast<int>(items_.size()); }
    const std::string& operator[](int i) const { return items_.at(static_cast<size_t>(i)); }
    void set(int i, const std::string& text);
    void clear();
    // Room for n more strings (the loader knows a store's size beforehand).
    void reserve(int n) { items_.reserve(items_.size() + static_cast<size_t>(n > 0 ? n : 0)); }
    const std::vector<std::string>& items() const { return items_; }

    friend void AppendString(TkvArrayString& array, const std::string& text);
    friend int FindString(const TkvArrayString& array, const std::string& text);

private:
    void buildIndex() const;

    std::vector<std::string> items_;
    mutable std::unordered_map<std::string, int> first_;
    mutable bool indexed_ = false;
};

void AppendString(TkvArrayString& array, const std::string& text);
int FindString(const TkvArrayString& array, const std::string& text);

}  // namespace orbel
