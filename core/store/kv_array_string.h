#pragma once
// The program's growable array of strings. Lookups are exact and return the
// first match; an index of first positions keeps FindString cheap on large
// stores without changing what it answers. The index is made by the first
// lookup: most arrays (paths, parameters) are never searched, and an index
// of a large store's paths would hold every path twice.
//
// The texts are kept one after another in one buffer, each element a place
// in it: a large store's item table holds a path per item and a number and
// parameters per program, and a string object of its own for each (with a
// heap block for most paths) cost about three times the text.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orbel {

class TkvArrayString {
public:
    int length() const { return static_cast<int>(spans_.size()); }
    std::string operator[](int i) const { return std::string(view(i)); }
    // The text of element i, valid until the array next changes.
    std::string_view view(int i) const;
    void set(int i, const std::string& text);
    void clear();
    std::vector<std::string> items() const;

    friend void AppendString(TkvArrayString& array, const std::string& text);
    friend int FindString(const TkvArrayString& array, const std::string& text);

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t size;
    };
    Span store(std::string_view text);
    void buildIndex() const;

    std::string text_;  // every element's text; a replaced text leaves its old bytes behind
    std::vector<Span> spans_;
    mutable std::unordered_map<std::string, int> first_;
    mutable bool indexed_ = false;
};

void AppendString(TkvArrayString& array, const std::string& text);
int FindString(const TkvArrayString& array, const std::string& text);

}  // namespace orbel
