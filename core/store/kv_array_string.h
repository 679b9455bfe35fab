#pragma once
// The program's growable array of strings. Lookups are exact and return the
// first match; an index of first positions keeps FindString cheap on large
// stores without changing what it answers.

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
    const std::vector<std::string>& items() const { return items_; }

    friend void AppendString(TkvArrayString& array, const std::string& text);
    friend int FindString(const TkvArrayString& array, const std::string& text);

private:
    std::vector<std::string> items_;
    std::unordered_map<std::string, int> first_;
};

void AppendString(TkvArrayString& array, const std::string& text);
int FindString(const TkvArrayString& array, const std::string& text);

}  // namespace orbel
