#include "core/search/fold.h"

#include <array>

#include "core/store/utf8.h"

namespace orbel {

namespace {

struct Fold {
    char32_t first, last;
    const char* to;
};

// Latin-1 and Latin Extended-A letters (and a few of B) to their base
// letters; ligatures and sharp s to their letters.
constexpr std::array<Fold, 54> kFolds{{
    {0xC0, 0xC5, "a"},      {0xC6, 0xC6, "ae"},    {0xC7, 0xC7, "c"},     {0xC8, 0xCB, "e"},     {0xCC, 0xCF, "i"},
    {0xD0, 0xD0, "d"},      {0xD1, 0xD1, "n"},     {0xD2, 0xD6, "o"},     {0xD8, 0xD8, "o"},     {0xD9, 0xDC, "u"},
    {0xDD, 0xDD, "y"},      {0xDE, 0xDE, "th"},    {0xDF, 0xDF, "ss"},    {0xE0, 0xE5, "a"},     {0xE6, 0xE6, "ae"},
    {0xE7, 0xE7, "c"},      {0xE8, 0xEB, "e"},     {0xEC, 0xEF, "i"},     {0xF0, 0xF0, "d"},     {0xF1, 0xF1, "n"},
    {0xF2, 0xF6, "o"},      {0xF8, 0xF8, "o"},     {0xF9, 0xFC, "u"},     {0xFD, 0xFD, "y"},     {0xFE, 0xFE, "th"},
    {0xFF, 0xFF, "y"},      {0x100, 0x105, "a"},   {0x106, 0x10D, "c"},   {0x10E, 0x111, "d"},   {0x112, 0x11B, "e"},
    {0x11C, 0x123, "g"},    {0x124, 0x127, "h"},   {0x128, 0x131, "i"},   {0x132, 0x133, "ij"},  {0x134, 0x135, "j"},
    {0x136, 0x138, "k"},    {0x139, 0x142, "l"},   {0x143, 0x14B, "n"},   {0x14C, 0x151, "o"},   {0x152, 0x153, "oe"},
    {0x154, 0x159, "r"},    {0x15A, 0x161, "s"},   {0x162, 0x167, "t"},   {0x168, 0x173, "u"},   {0x174, 0x175, "w"},
    {0x176, 0x178, "y"},    {0x179, 0x17E, "z"},   {0x17F, 0x17F, "s"},   {0x218, 0x219, "s"},   {0x21A, 0x21B, "t"},
    {0x1E9E, 0x1E9E, "ss"}, {0xA0, 0xBF, nullptr}, {0xD7, 0xD7, nullptr}, {0xF7, 0xF7, nullptr},
}};

enum class Kind { Upper, Lower, Digit, Other, Mark };

// Decodes one character at s[i] and steps over it; a broken sequence gives
// its first byte alone, as kStray.
constexpr char32_t kStray = 0xFFFFFFFF;
char32_t Decode(std::string_view s, std::size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    const std::size_t n = b < 0x80 ? 0 : b >= 0xF8 ? 9 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 9;
    if (n == 0) {
        ++i;
        return b;
    }
    if (n == 9 || i + n >= s.size()) {
        ++i;
        return kStray;
    }
    char32_t c = b & (0x3Fu >> n);
    for (std::size_t k = 1; k <= n; ++k) {
        const auto t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) {
            ++i;
            return kStray;
        }
        c = (c << 6) | (t & 0x3Fu);
    }
    i += n + 1;
    return c;
}

// Capitals of the folded Latin letters: below sharp s in Latin-1, and in
// Extended-A the even or the odd ones by stretch.
bool IsLatinCapital(char32_t c) {
    if (c < 0x100) return c < 0xDF;
    if (c == 0x1E9E || c == 0x178) return true;
    if (c >= 0x139 && c <= 0x148) return c % 2 == 1;
    if (c >= 0x179 && c <= 0x17E) return c % 2 == 1;
    if (c == 0x138 || c == 0x149 || c == 0x17F) return false;
    return c % 2 == 0;
}

}  // namespace

void AppendFolded(std::string_view utf8, std::string& out, std::vector<std::uint8_t>* starts) {
    Kind previous = Kind::Other;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t begin = i;
        char32_t c = Decode(utf8, i);
        const std::size_t before = out.size();
        Kind kind = Kind::Other;
        if (c == kStray) {
            // Not UTF-8: the byte stays itself, a letter of its own.
            kind = Kind::Lower;
            out += utf8[begin];
        } else if (c < 0x80) {
            if (c >= 'A' && c <= 'Z') {
                kind = Kind::Upper;
                c += 'a' - 'A';
            } else if (c >= 'a' && c <= 'z') {
                kind = Kind::Lower;
            } else if (c >= '0' && c <= '9') {
                kind = Kind::Digit;
            }
            out += static_cast<char>(c);
        } else if (c >= 0x300 && c <= 0x36F) {
            // A combining accent belongs to the letter before it.
            kind = Kind::Mark;
        } else {
            const Fold* fold = nullptr;
            for (const Fold& f : kFolds)
                if (c >= f.first && c <= f.last) fold = &f;
            if (fold && fold->to) {
                kind = IsLatinCapital(c) ? Kind::Upper : Kind::Lower;
                out += fold->to;
            } else if (fold || (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F)) {
                // Spaces, signs and punctuation of Latin-1, general and CJK punctuation.
                AppendUtf8(out, c);
            } else {
                // Greek and Cyrillic capitals to small letters; any other
                // character counts as a small letter of its own.
                kind = Kind::Lower;
                if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
                    c += 0x20;
                    kind = Kind::Upper;
                } else if (c >= 0x400 && c <= 0x40F) {
                    c += 0x50;
                    kind = Kind::Upper;
                }
                AppendUtf8(out, c);
            }
        }
        if (starts && out.size() > before) {
            const bool alnum = kind != Kind::Other && kind != Kind::Mark;
            const bool prevAlnum = previous != Kind::Other;
            const bool begins = alnum && (!prevAlnum || (kind == Kind::Upper && previous == Kind::Lower) ||
                                          ((kind == Kind::Digit) != (previous == Kind::Digit)));
            starts->push_back(begins ? kWordStart : 0);
            for (std::size_t k = before + 1; k < out.size(); ++k) starts->push_back(0);
        }
        if (kind != Kind::Mark) previous = kind;
    }
}

std::string Folded(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    AppendFolded(utf8, out);
    return out;
}

std::uint64_t CharMask(std::string_view folded) {
    std::uint64_t mask = 0;
    for (const char ch : folded) {
        const auto b = static_cast<unsigned char>(ch);
        int bit = 63;
        if (b >= 'a' && b <= 'z') bit = b - 'a';
        else if (b >= '0' && b <= '9') bit = 26 + (b - '0');
        else if (b >= 0x80) bit = 36 + b % 27;
        mask |= std::uint64_t{1} << bit;
    }
    return mask;
}

}  // namespace orbel
