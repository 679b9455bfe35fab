#pragma once
// Text as the find compares it: letters lowered and Latin accents taken off
// ("Éléphant" and "elephant" meet), with a small table instead of a Unicode
// library. What the table does not know stays as it was.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orbel {

// Appends the folded form of utf8 to out. With starts, appends one flag per
// byte appended: kWordStart on the first byte of a character that begins a
// word (after a blank or punctuation, a capital after a small letter as in
// "LibreOffice", a digit after a letter and the other way round).
inline constexpr std::uint8_t kWordStart = 1;
void AppendFolded(std::string_view utf8, std::string& out, std::vector<std::uint8_t>* starts = nullptr);
std::string Folded(std::string_view utf8);

// One bit per letter or digit (and a few for the other bytes) of folded
// text: an entry that lacks one of the query's bits cannot match it.
std::uint64_t CharMask(std::string_view folded);

// Whether byte b of UTF-8 text begins a character.
inline bool IsCharStart(char b) { return (static_cast<unsigned char>(b) & 0xC0) != 0x80; }

}  // namespace orbel
