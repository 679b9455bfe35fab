#include "core/store/desktop_entry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace orbel {
namespace {

namespace fs = std::filesystem;
using Words = std::vector<std::string>;

// How QProcess::splitCommand reads a command: whitespace separates words,
// double quotes group, three quotes in a row stand for one literal quote.
Words SplitLikeQProcess(const std::string& command)
{
    Words args;
    std::string word;
    int quotes = 0;
    bool inQuote = false;
    for (const char c : command) {
        if (c == '"') {
            if (++quotes == 3) {
                quotes = 0;
                word += c;
            }
            continue;
        }
        if (quotes == 1)
            inQuote = !inQuote;
        quotes = 0;
        if (!inQuote && (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f')) {
            if (!word.empty())
                args.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        args.push_back(word);
    return args;
}

std::string Entry(const std::string& execLine)
{
    return "[Desktop Entry]\nType=Application\nName=Test\n" + execLine + "\n";
}

TEST(DesktopEntry, ExecLinesGiveProgramAndWords)
{
    struct Case {
        const char* exec;  // the line as it stands in the file
        std::string program;
        Words words;
    };
    const Case cases[] = {
        {"Exec=firefox %u", "firefox", {}},
        {"Exec=/usr/bin/gimp-2.10 --new-instance %U", "/usr/bin/gimp-2.10", {"--new-instance"}},
        {R"(Exec="/opt/My App/run" --flag)", "/opt/My App/run", {"--flag"}},
        // Four backslashes in the file are one in the word: string escape first.
        {R"(Exec="/opt/a\\\\b" x)", "/opt/a\\b", {"x"}},
        {R"(Exec=sh -c "echo \\$HOME \"quoted\" \\`date\\`")", "sh", {"-c", "echo $HOME \"quoted\" `date`"}},
        {R"(Exec=prog a\sb)", "prog", {"a", "b"}},
        {R"(Exec=prog "a\sb")", "prog", {"a b"}},
        {"Exec=printf 100%%", "printf", {"100%"}},
        {"Exec=app --file=%f --icon %i %c %k", "app", {"--file=", "--icon"}},
        {"Exec=old %d %D %n %N %v %m keep", "old", {"keep"}},
        {"Exec=app \"\" x", "app", {"", "x"}},
        {"Exec=sh -c 'echo a  b'", "sh", {"-c", "echo a  b"}},
        {"Exec  =  spaced   out  ", "spaced", {"out"}},
        {"Exec=app 50%é", "app", {"50%é"}},
        {"Exec=%k /usr/bin/x", "/usr/bin/x", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exec);
        const auto link = ParseDesktopEntry(Entry(c.exec));
        ASSERT_TRUE(link);
        EXPECT_EQ(link->program, c.program);
        EXPECT_EQ(link->words, c.words);
        Words nonEmpty;
        for (const std::string& w : c.words) {
            if (!w.empty())
                nonEmpty.push_back(w);
        }
        EXPECT_EQ(SplitLikeQProcess(link->arguments), nonEmpty);
    }
}

TEST(DesktopEntry, EntriesThatStartNoProgram)
{
    const std::pair<const char*, std::string> cases[] = {
        {"link", "[Desktop Entry]\nType=Link\nURL=https://example.org\nExec=firefox\n"},
        {"directory", "[Desktop Entry]\nType=Directory\nExec=x\n"},
        {"no exec", "[Desktop Entry]\nType=Application\nName=x\n"},
        {"exec in an action group", "[Desktop Entry]\nType=Application\n[Desktop Action New]\nExec=x\n"},
        {"exec before any group", "Exec=x\n[Desktop Entry]\nType=Application\n"},
        {"localized exec only", Entry("Exec[de]=x")},
        {"empty exec", Entry("Exec=")},
        {"only field codes", Entry("Exec=%U %f")},
        {"unterminated double quote", Entry("Exec=\"/opt/x y")},
        {"unterminated single quote", Entry("Exec=sh -c 'x")},
        {"nul in exec", Entry(std::string("Exec=/bin/true\0 rm", 18))},
        {"empty file", ""},
    };
    for (const auto& [what, text] : cases)
        EXPECT_FALSE(ParseDesktopEntry(text)) << what;
}

TEST(DesktopEntry, FileLayoutDetails)
{
    const std::pair<const char*, std::string> cases[] = {
        {"crlf and bom", "\xEF\xBB\xBF[Desktop Entry]\r\nType=Application\r\nExec=prog arg\r\n"},
        {"comments and blanks", "# launcher\n\n[Desktop Entry]\n# Exec=wrong\nExec=prog arg\n"},
        {"no type", "[Desktop Entry]\nExec=prog arg\n"},
        {"first exec counts", "[Desktop Entry]\nExec=prog arg\nExec=other\n"},
        {"later group ignored", "[Desktop Entry]\nExec=prog arg\n[Desktop Entry]\nType=Link\nExec=other\n"},
        {"no final newline", "[Desktop Entry]\nExec=prog arg"},
    };
    for (const auto& [what, text] : cases) {
        const auto link = ParseDesktopEntry(text);
        ASSERT_TRUE(link) << what;
        EXPECT_EQ(link->program, "prog") << what;
        EXPECT_EQ(link->arguments, "arg") << what;
    }
}

TEST(DesktopEntry, JoinedArgumentsSplitBackIntoTheSameWords)
{
    const Words cases[] = {
        {"plain", "-x"},
        {"a b", "c"},
        {"say \"hi\""},
        {"\""},
        {"\"\""},
        {"x\"", "y"},
        {"\"x", "y z"},
        {"tab\there", "new\nline"},
        {"naïve", "日本 語"},
        {"\"\"\""},
        {"a\"\"\"b"},
    };
    for (const Words& words : cases) {
        const std::string joined = JoinCommandWords(words);
        EXPECT_EQ(SplitLikeQProcess(joined), words) << joined;
    }
    EXPECT_EQ(JoinCommandWords({"-a", "b c", "d\"e"}), "-a \"b c\" \"d\"\"\"e\"");
    // An empty word cannot be written for the splitter; it is left out
    // rather than shifting the words after it.
    EXPECT_EQ(JoinCommandWords({"", "x", ""}), "x");
}

TEST(DesktopEntry, SplitExecValueKeepsBackslashesTheQuotingRulesDoNotEscape)
{
    EXPECT_EQ(SplitExecValue(R"("C:\dir\n" \"q)"), (Words{"C:\\dir\\n", "\"q"}));
    EXPECT_EQ(SplitExecValue("trailing\\"), (Words{"trailing\\"}));
    EXPECT_EQ(SplitExecValue("a%"), (Words{"a%"}));
}

class DesktopEntryFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("orbel-desktop-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(DesktopEntryFile, ReadsTheProgramFromAFile)
{
    const fs::path file = dir_ / "editor.desktop";
    std::ofstream(file) << Entry(R"(Exec="/opt/Edit Tool/edit" --mode "two words" %F)");
    std::string program = "old", arguments = "old";
    ASSERT_TRUE(ReadDesktopEntryLink(file.string(), program, arguments));
    EXPECT_EQ(program, "/opt/Edit Tool/edit");
    EXPECT_EQ(arguments, "--mode \"two words\"");

    const fs::path link = dir_ / "site.desktop";
    std::ofstream(link) << "[Desktop Entry]\nType=Link\nURL=https://example.org\n";
    program = arguments = "old";
    EXPECT_FALSE(ReadDesktopEntryLink(link.string(), program, arguments));
    EXPECT_FALSE(ReadDesktopEntryLink((dir_ / "missing.desktop").string(), program, arguments));
    EXPECT_FALSE(ReadDesktopEntryLink(dir_.string(), program, arguments));
    EXPECT_EQ(program, "old");
    EXPECT_EQ(arguments, "old");
}

}  // namespace
}  // namespace orbel
