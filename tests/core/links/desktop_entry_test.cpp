#include "core/links/desktop_entry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <utility>

namespace orbel {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

std::string Entry(const std::string& execLine) { return "[Desktop Entry]\nType=Application\n" + execLine + "\n"; }

TEST(DesktopEntry, ExecLinesGiveProgramAndWords) {
    const std::tuple<const char*, std::string, Words> cases[] = {
        {"Exec=firefox %u", "firefox", {}},
        {R"(Exec="/opt/My App/run" --flag %F)", "/opt/My App/run", {"--flag"}},
        // String escapes come first: four backslashes in the file are one.
        {R"(Exec="/opt/a\\\\b" x)", "/opt/a\\b", {"x"}},
        {R"(Exec=sh -c "echo \\$HOME \"q\" \\`d\\`")", "sh", {"-c", "echo $HOME \"q\" `d`"}},
        {R"(Exec=prog a\sb "c\sd")", "prog", {"a", "b", "c d"}},
        {"Exec=app 100%% --file=%f --icon %i %c %k %d %m 50%é", "app", {"100%", "--file=", "--icon", "50%é"}},
        {"Exec=app \"\" 'single  quoted' x", "app", {"", "single  quoted", "x"}},
        {"Exec  =  %k spaced   out  ", "spaced", {"out"}},
    };
    for (const auto& [exec, program, words] : cases) {
        const auto link = ParseDesktopEntry(Entry(exec));
        ASSERT_TRUE(link) << exec;
        EXPECT_EQ(link->program, program) << exec;
        EXPECT_EQ(link->words, words) << exec;
        EXPECT_EQ(SplitCommandWords(link->arguments), words) << exec;
    }
}

TEST(DesktopEntry, WhatOnlyTheDesktopsLauncherDoes) {
    const std::pair<std::string, bool> cases[] = {
        {Entry("Exec=/usr/bin/vim %F"), false},
        {Entry("Exec=/usr/bin/vim %F\nTerminal=false\nPath="), false},
        {Entry("Exec=/usr/bin/vim %F\nTerminal=true"), true},
        {Entry("Exec=/usr/bin/mc\nTerminal=1"), true},
        {Entry("Exec=/usr/bin/make\nPath=/src"), true},
        {Entry("Exec=/usr/bin/app\nDBusActivatable=true"), true},
        {Entry("Exec=/usr/bin/app 100%%k"), false},
        {Entry("Exec=/usr/bin/app %i"), true},
        {Entry("Exec=/usr/bin/app --caption=%c"), true},
        {Entry("Exec=/usr/bin/app %k"), true},
        {"[Desktop Entry]\nExec=/usr/bin/app\n[Desktop Action New]\nTerminal=true\n", false},
    };
    for (const auto& [text, needsLauncher] : cases) {
        const auto link = ParseDesktopEntry(text);
        ASSERT_TRUE(link) << text;
        EXPECT_EQ(link->needsLauncher, needsLauncher) << text;
    }
}

TEST(DesktopEntry, WhichFilesNameAProgram) {
    const std::pair<std::string, bool> cases[] = {
        {"\xEF\xBB\xBF# c\r\n\r\n[Desktop Entry]\r\n# Exec=no\r\nExec=prog arg\r\nExec=other", true},
        {"[Desktop Entry]\nExec=prog arg\n[Desktop Entry]\nType=Link\n", true},  // no type, first group counts
        {"[Desktop Entry]\nType=Link\nURL=https://example.org\nExec=prog\n", false},
        {"[Desktop Entry]\nType=Directory\nExec=prog\n", false},
        {"[Desktop Entry]\nName=x\n[Desktop Action New]\nExec=prog\n", false},
        {"Exec=prog\n[Desktop Entry]\n", false},
        {Entry("Exec[de]=prog"), false},
        {Entry("Exec="), false},
        {Entry("Exec=%U %f"), false},
        {Entry("Exec=\"/opt/x y"), false},
        {Entry("Exec=sh -c 'x"), false},
        {Entry(std::string("Exec=/bin/true\0 rm", 18)), false},
    };
    for (const auto& [text, ok] : cases) {
        const auto link = ParseDesktopEntry(text);
        ASSERT_EQ(link.has_value(), ok) << text;
        if (ok) {
            EXPECT_EQ(link->program, "prog");
            EXPECT_EQ(link->arguments, "arg");
        }
    }
}

TEST(DesktopEntry, ParameterTextToWords) {
    // QProcess::splitCommand's reading (the opener's tests show more of
    // it), except that "" is an empty word.
    const std::pair<const char*, Words> cases[] = {
        {" \t\n", {}},
        {"a\"b c\"d e", {"ab cd", "e"}},
        {"\"\" x \"\"", {"", "x", ""}},
        {"a\"\"b", {"ab"}},
        {"\"unterminated word", {"unterminated word"}},
        {"naïve\xC2\xA0word", {"naïve\xC2\xA0word"}},  // only ASCII blanks separate
    };
    for (const auto& [text, words] : cases) EXPECT_EQ(SplitCommandWords(text), words) << text;
}

TEST(DesktopEntry, JoinedWordsSplitBackUnchanged) {
    const Words cases[] = {
        {"plain", "-x"}, {"a b", "c"},           {"say \"hi\""},       {"\""},       {"\"\""}, {"x\"", "y"},
        {"\"x", "y z"},  {"tab\there", "nl\nx"}, {"naïve", "日本 語"}, {"a\"\"\"b"}, {""},     {"", "\"x", ""}};
    for (const Words& words : cases)
        EXPECT_EQ(SplitCommandWords(JoinCommandWords(words)), words) << JoinCommandWords(words);
    EXPECT_EQ(JoinCommandWords({"-a", "", "b c", "d\"e"}), "-a \"\" \"b c\" \"d\"\"\"e\"");
    EXPECT_EQ(SplitExecValue(R"("C:\dir\n" \"q trailing\)"), (Words{"C:\\dir\\n", "\"q", "trailing\\"}));
}

TEST(DesktopEntry, ReadsAFile) {
    const fs::path dir = fs::temp_directory_path() / ("orbel-desktop-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    std::ofstream(dir / "edit.desktop") << Entry(R"(Exec="/opt/Edit Tool/edit" --mode "two words" %F)");
    std::ofstream(dir / "site.desktop") << "[Desktop Entry]\nType=Link\nURL=https://example.org\n";
    const auto link = ReadDesktopEntryFile((dir / "edit.desktop").string());
    ASSERT_TRUE(link);
    EXPECT_EQ(link->program, "/opt/Edit Tool/edit");
    EXPECT_EQ(link->arguments, "--mode \"two words\"");
    for (const char* name : {"site.desktop", "missing.desktop", ""})
        EXPECT_FALSE(ReadDesktopEntryFile((dir / name).string())) << name;
    fs::remove_all(dir);
}

TEST(DesktopEntry, TextsAFindLooksAtInTheBestFittingLanguage) {
    const std::string entry =
        "[Desktop Entry]\nType=Application\nExec=nautilus\nName=Files\nName[de]=Dateien\n"
        "Name[de_AT]=Dateien AT\nName[sr@latin]=Datoteke\nName[sr_RS@latin]=Datoteke RS\n"
        "GenericName=File Manager\nGenericName[de]=Dateimanager\n"
        "Keywords=folder;manager;explore\\;more;;\\sdisk ;\nKeywords[de]=Ordner;Verwaltung;\n"
        "[Desktop Action new]\nName=New Window\nKeywords=window;\n";
    const struct {
        const char* locale;
        std::string name, genericName;
        std::vector<std::string> keywords;
    } cases[] = {
        {"", "Files", "File Manager", {"folder", "manager", "explore;more", " disk"}},
        {"C", "Files", "File Manager", {"folder", "manager", "explore;more", " disk"}},
        {"de_DE.UTF-8", "Dateien", "Dateimanager", {"Ordner", "Verwaltung"}},
        {"de_AT.UTF-8@euro", "Dateien AT", "Dateimanager", {"Ordner", "Verwaltung"}},
        {"de", "Dateien", "Dateimanager", {"Ordner", "Verwaltung"}},
        {"sr_RS@latin", "Datoteke RS", "File Manager", {"folder", "manager", "explore;more", " disk"}},
        {"sr_BA.UTF-8@latin", "Datoteke", "File Manager", {"folder", "manager", "explore;more", " disk"}},
        {"fr_FR.UTF-8", "Files", "File Manager", {"folder", "manager", "explore;more", " disk"}},
    };
    for (const auto& c : cases) {
        const auto texts = ParseDesktopEntryTexts(entry, c.locale);
        ASSERT_TRUE(texts) << c.locale;
        EXPECT_EQ(texts->name, c.name) << c.locale;
        EXPECT_EQ(texts->genericName, c.genericName) << c.locale;
        EXPECT_EQ(texts->keywords, c.keywords) << c.locale;
    }
    // Any type of entry has texts; a file without the group has none.
    const auto link = ParseDesktopEntryTexts("[Desktop Entry]\nType=Link\nName=Site\nURL=https://x\n", "");
    ASSERT_TRUE(link);
    EXPECT_EQ(link->name, "Site");
    EXPECT_TRUE(link->keywords.empty());
    EXPECT_FALSE(ParseDesktopEntryTexts("[Other]\nName=x\n", ""));
    EXPECT_FALSE(ParseDesktopEntryTexts("", ""));
    // A key whose locale brackets do not close is no translation of Name.
    const auto odd = ParseDesktopEntryTexts("[Desktop Entry]\nName=A\nName[de=B\n", "de");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->name, "A");
}

}  // namespace
}  // namespace orbel
