// Folding for the find: accents and case away, word starts marked.

#include "core/search/fold.h"

#include <gtest/gtest.h>

namespace orbel {
namespace {

TEST(Fold, LettersLoseCaseAndAccents) {
    const std::pair<const char*, const char*> cases[] = {
        {"LibreOffice Writer", "libreoffice writer"},
        {"Éléphant Çà Où", "elephant ca ou"},
        {"Straße STRASSE ẞ", "strasse strasse ss"},
        {"Müller Jürgen Ångström Øre", "muller jurgen angstrom ore"},
        {"Æsop Œuvre ĳssel", "aesop oeuvre ijssel"},
        {"Łódź Żółć Dvořák Škoda Ćevapi", "lodz zolc dvorak skoda cevapi"},
        {"Ţară Şcoală Ștefan Țară", "tara scoala stefan tara"},
        {"ÞÓRR Ðað þ", "thorr dad th"},
        {"Ÿ ÿ ı İ", "y y i i"},
        // A combining accent goes with its letter.
        {"Cafe\xCC\x81 Re\xCC\x81sume\xCC\x81", "cafe resume"},
        {"ПРИВЕТ Ёж ΑΒΓ", "привет ёж αβγ"},
        // What the table does not know, and what is not UTF-8, stays.
        {"写真 € × ÷ «x»", "写真 € × ÷ «x»"},
        {"a\xFF"
         "b\xC3",
         "a\xFF"
         "b\xC3"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(Folded(in), out) << in;
}

std::string StartsOf(const std::string& text) {
    std::string folded;
    std::vector<std::uint8_t> starts;
    AppendFolded(text, folded, &starts);
    EXPECT_EQ(starts.size(), folded.size());
    std::string marks;
    for (std::size_t i = 0; i < folded.size(); ++i)
        if (IsCharStart(folded[i])) marks += starts[i] ? '^' : '.';
    return marks;
}

TEST(Fold, WordStarts) {
    const std::pair<const char*, const char*> cases[] = {
        {"Visual Studio Code", "^.....-^.....-^..."},
        {"LibreOffice", "^....^....."},
        {"Invoice March 2026.odt", "^......-^....-^...-^.."},
        {"mp3 Win10 x86_64", "^.^-^..^.-^^.-^."},
        {"KDE ÉCRAN éCrAn", "^..-^....-^^.^."},
        {"Writer's-notes (old)", "^.....-^-^....--^..-"},
        {"Ærø  Ω", "^...--^"},
    };
    for (const auto& [in, marks] : cases) {
        std::string expected = marks;
        for (char& c : expected)
            if (c == '-') c = '.';
        EXPECT_EQ(StartsOf(in), expected) << in;
    }
}

TEST(Fold, CharMaskTellsMissingLetters) {
    const std::uint64_t text = CharMask(Folded("Visual Studio Code 2"));
    EXPECT_EQ(CharMask("vsc2") & ~text, 0u);
    EXPECT_NE(CharMask("vsx") & ~text, 0u);
    EXPECT_NE(CharMask("v3") & ~text, 0u);
    EXPECT_EQ(CharMask(""), 0u);
}

}  // namespace
}  // namespace orbel
