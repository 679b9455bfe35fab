// The index-file grammar: line ends, end of file, tags and field splitting.

#include "core/store/store_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/store/store_files.h"
#include "tests/core/store/store_test_support.h"

namespace orbel {

// How a failed comparison shows an entry (found by argument lookup).
static std::ostream& operator<<(std::ostream& o, const IndexEntry& e) {
    return o << "{kind " << static_cast<int>(e.kind) << ", text [" << e.text << "], path [" << e.path << "], params ["
             << e.parameters << "], icon [" << e.iconFile << "], ext [" << e.extension << "]}";
}

namespace {

using K = IndexEntryKind;
using namespace std::string_literals;

IndexEntry Folder(std::string name) { return {K::Folder, std::move(name), {}, {}, {}, {}}; }
IndexEntry Plain() { return {K::PlainSeparator, {}, {}, {}, {}, {}}; }
IndexEntry Text(std::string text) { return {K::TextSeparator, std::move(text), {}, {}, {}, {}}; }
IndexEntry Exe(std::string path, std::string params, std::string icon, std::string caption) {
    return {K::ExecutableItem, std::move(caption), std::move(path), std::move(params), std::move(icon), {}};
}
IndexEntry File(std::string path, std::string ext, std::string caption) {
    return {K::FileItem, std::move(caption), std::move(path), {}, {}, std::move(ext)};
}

struct GrammarCase {
    const char* name;
    std::string bytes;
    std::vector<IndexEntry> expected;
};

std::ostream& operator<<(std::ostream& o, const GrammarCase& c) { return o << c.name; }

class IndexGrammar : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(IndexGrammar, ParsesAsExpected) {
    const GrammarCase& c = GetParam();
    const std::vector<IndexEntry> got = ParseIndexFile(c.bytes);
    ASSERT_EQ(got.size(), c.expected.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.expected[i]) << "entry " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, IndexGrammar,
    ::testing::Values(
        GrammarCase{"empty_file", "", {}},
        GrammarCase{"crlf_ends_lines", "^NorSep|\r\n^SpeSep|News\r\n", {Plain(), Text("News")}},
        GrammarCase{"lone_cr_ends_line", "^SpeSep|a\r^SpeSep|b\r", {Text("a"), Text("b")}},
        GrammarCase{"lone_lf_is_ordinary", "^SpeSep|a\n^SpeSep|b\r\n", {Text("a\n^SpeSep|b")}},
        GrammarCase{"lf_before_cr_stays", "^SpeSep|a\n\r\n", {Text("a\n")}},
        GrammarCase{"cr_cr_lf_gives_empty_line", "^SpeSep|a\r\r\n^NorSep|", {Text("a"), Plain()}},
        GrammarCase{"last_line_without_end", "^NorSep|\r\n^Folder|Tools", {Plain(), Folder("Tools")}},
        GrammarCase{"ctrl_z_ends_file", "^SpeSep|a\r\n^SpeSep|b\x1a\r\n^SpeSep|c\r\n", {Text("a"), Text("b")}},
        GrammarCase{"ctrl_z_mid_line",
                    "^SpeSep|ab\x1a"
                    "cd",
                    {Text("ab")}},
        GrammarCase{"ctrl_z_first", "\x1a^NorSep|\r\n", {}},
        GrammarCase{"empty_lines_skipped", "\r\n\r\n^NorSep|\r\n\r\n", {Plain()}},
        GrammarCase{"no_separator_skipped", "^NorSep\r\n^Folder\r\nhello\r\n", {}},
        GrammarCase{"lower_case_tag_skipped", "^folder|Tools\r\n^norsep|\r\n^EXELNK|a|b|c|d\r\n", {}},
        GrammarCase{"unknown_tag_skipped", "^Other|x\r\n |^NorSep|\r\n^Folder |x\r\n", {}},
        GrammarCase{"norsep_ignores_rest", "^NorSep|junk|more\r\n", {Plain()}},
        GrammarCase{"spesep_keeps_bars", "^SpeSep|a|b|c\r\n", {Text("a|b|c")}},
        GrammarCase{"spesep_empty_text", "^SpeSep|\r\n", {Text("")}},
        GrammarCase{"folder_keeps_bars", "^Folder|x|y\r\n", {Folder("x|y")}},
        GrammarCase{"folder_empty_name", "^Folder|\r\n", {Folder("")}},
        GrammarCase{"exe_all_fields",
                    "^ExeLnk|C:/p/ed.exe|-n x|ed.bmp|Editor\r\n",
                    {Exe("C:/p/ed.exe", "-n x", "ed.bmp", "Editor")}},
        GrammarCase{"exe_caption_keeps_bars", "^ExeLnk|p.exe||p.bmp|a|b|c\r\n", {Exe("p.exe", "", "p.bmp", "a|b|c")}},
        GrammarCase{"exe_path_only", "^ExeLnk|prog.exe\r\n", {Exe("", "", "", "prog.exe")}},
        GrammarCase{"exe_missing_icon_bar", "^ExeLnk|p.exe|-x\r\n", {Exe("p.exe", "", "", "-x")}},
        GrammarCase{"exe_missing_caption_bar", "^ExeLnk|p.exe|-x|p.bmp\r\n", {Exe("p.exe", "-x", "", "p.bmp")}},
        GrammarCase{"exe_empty_payload", "^ExeLnk|\r\n", {Exe("", "", "", "")}},
        GrammarCase{
            "exe_bar_in_parameters_shifts", "^ExeLnk|p.exe|a|b|p.bmp|Cap\r\n", {Exe("p.exe", "a", "b", "p.bmp|Cap")}},
        GrammarCase{"unk_all_fields",
                    "^UnkLnk|/home/u/Report.DOC|DOC|Report\r\n",
                    {File("/home/u/Report.DOC", "DOC", "Report")}},
        GrammarCase{"unk_empty_extension", "^UnkLnk|/home/u||Home\r\n", {File("/home/u", "", "Home")}},
        GrammarCase{"unk_caption_keeps_bars", "^UnkLnk|a.txt|txt|x|y\r\n", {File("a.txt", "txt", "x|y")}},
        GrammarCase{"unk_path_only", "^UnkLnk|a.txt\r\n", {File("", "", "a.txt")}},
        GrammarCase{"unk_missing_caption_bar", "^UnkLnk|a.txt|txt\r\n", {File("a.txt", "", "txt")}},
        GrammarCase{"binary_bytes_kept", "^SpeSep|\x01\xff\x00z\r\n"s, {Text("\x01\xff\x00z"s)}},
        GrammarCase{"mixed_order_kept",
                    "^Folder|F\r\n^UnkLnk|a||A\r\nbad\r\n^NorSep|\r^SpeSep|S",
                    {Folder("F"), File("a", "", "A"), Plain(), Text("S")}}),
    [](const ::testing::TestParamInfo<GrammarCase>& grammarCase) { return std::string(grammarCase.param.name); });

// The writer's lines go through FormatIndexLine: every kind's line must
// read back as the entry it was made from.
TEST(IndexLines, EveryKindReadsBackAsWritten) {
    const IndexEntry entries[] = {Folder("Games"), Plain(), Text("Tools"), Exe("/bin/x", "-a b", "x.bmp", "X|1"),
                                  File("/d/n.TXT", "TXT", "Notes")};
    for (const IndexEntry& e : entries) {
        IndexEntry back;
        ASSERT_TRUE(ParseIndexLine(FormatIndexLine(e), back)) << FormatIndexLine(e);
        EXPECT_EQ(back, e) << FormatIndexLine(e);
    }
    EXPECT_EQ(FormatIndexLine(Exe("/bin/x", "-a", "x.bmp", "X")), "^ExeLnk|/bin/x|-a|x.bmp|X");
    EXPECT_EQ(FormatIndexLine(Plain()), "^NorSep|");
}

TEST(IndexLines, SplitsOnCrAndCrLfOnly) {
    const auto lines = SplitIndexLines("a\r\nb\rc\nd\r\r\ne");
    const std::vector<std::string_view> expected{"a", "b", "c\nd", "", "e"};
    EXPECT_EQ(lines, expected);
}

TEST(IndexLines, TrailingLineEndGivesNoExtraLine) {
    EXPECT_EQ(SplitIndexLines("a\r\n").size(), 1u);
    EXPECT_EQ(SplitIndexLines("a\r").size(), 1u);
    EXPECT_EQ(SplitIndexLines("a").size(), 1u);
    EXPECT_TRUE(SplitIndexLines("").empty());
    EXPECT_TRUE(SplitIndexLines("\x1a"
                                "a\r\n")
                    .empty());
}

TEST(IndexLines, OtherSeparatorCharacter) {
    IndexEntry e;
    ASSERT_TRUE(ParseIndexLine("^UnkLnk#a.txt#txt#A|B", e, '#'));
    EXPECT_EQ(e, File("a.txt", "txt", "A|B"));
    EXPECT_FALSE(ParseIndexLine("^UnkLnk|a.txt|txt|A", e, '#'));
}

TEST(IndexLines, HugeLineIsOneEntry) {
    const std::string caption(4 << 20, 'x');
    const auto entries = ParseIndexFile("^UnkLnk|p||" + caption + "\r\n");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text.size(), caption.size());
}

TEST(IndexFileRead, StopsAtCtrlZAndKeepsBytes) {
    test::TempDir t;
    t.write("shortcuts.txt", "^SpeSep|a\r\n^SpeSep|b\x1a^SpeSep|c\r\n");
    EXPECT_EQ(ReadIndexFile(t / "shortcuts.txt"), "^SpeSep|a\r\n^SpeSep|b");
    const auto entries = ReadIndexEntries(t / "shortcuts.txt");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1], Text("b"));
}

TEST(IndexFileRead, ReadsLargeFileAcrossChunks) {
    test::TempDir t;
    std::string bytes;
    for (int i = 0; i < 20000; ++i) bytes += "^SpeSep|" + std::to_string(i) + "\r\n";
    t.write("shortcuts.txt", bytes);
    const auto entries = ReadIndexEntries(t / "shortcuts.txt");
    ASSERT_EQ(entries.size(), 20000u);
    EXPECT_EQ(entries.back().text, "19999");
}

TEST(IndexFileRead, MissingFileRaisesIoError) {
    test::TempDir t;
    EXPECT_THROW(ReadIndexFile(t / "shortcuts.txt"), StoreIoError);
}

TEST(IndexFileRead, DirectoryInsteadOfFileRaisesIoError) {
    test::TempDir t;
    t.mkdir("shortcuts.txt");
    EXPECT_THROW(ReadIndexFile(t / "shortcuts.txt"), StoreIoError);
}

TEST(StorePaths, SplitIntoDirectoryNameAndExtension) {
    struct Row {
        const char* path;
        const char* dir;
        const char* name;
        const char* ext;
    };
    const Row rows[] = {
        {"/opt/tools/setup.exe", "/opt/tools/", "setup.exe", ".exe"},
        {"/home/u/a.tar.gz", "/home/u/", "a.tar.gz", ".gz"},
        {"/home/u.d/Makefile", "/home/u.d/", "Makefile", ""},
        {"/home/u/Docs/report.txt", "/home/u/Docs/", "report.txt", ".txt"},
        {"/home/u/Docs", "/home/u/", "Docs", ""},
        {"/home/u/Docs/", "/home/u/", "Docs", ""},
        {"/home/u/docs/", "/home/u/", "docs", ""},
        {"/", "/", "", ""},
        {"plain", "", "plain", ""},
        {"/opt/t/SETUP.EXE", "/opt/t/", "SETUP.EXE", ".EXE"},
        {"/opt/t/run.BAT", "/opt/t/", "run.BAT", ".BAT"},
        {"/home/u/Desktop/x.lnk", "/home/u/Desktop/", "x.lnk", ".lnk"},
        {"/usr/share/applications/vim.desktop", "/usr/share/applications/", "vim.desktop", ".desktop"},
        {"/home/u/Run.DESKTOP", "/home/u/", "Run.DESKTOP", ".DESKTOP"},
        {"/a.exe/readme", "/a.exe/", "readme", ""},
#ifdef _WIN32
        {"/home/u/a\\b.txt", "/home/u/a\\", "b.txt", ".txt"},  // a separator there
#else
        {"/home/u/a\\b.txt", "/home/u/", "a\\b.txt", ".txt"},  // part of the name here
#endif
        // A Windows path, as a shortcut names its target, on every system.
        {"C:\\Program Files\\xt.d\\xt", "C:\\Program Files\\xt.d\\", "xt", ""},
        {"\\\\srv\\share\\Doc.pdf", "\\\\srv\\share\\", "Doc.pdf", ".pdf"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.path);
        const PathParts p = SplitPath(r.path);
        EXPECT_EQ(p.directory, r.dir);
        EXPECT_EQ(p.name, r.name);
        EXPECT_EQ(p.extension, r.ext);
    }
}

TEST(StoredTexts, WhatBreaksAFieldAndWhatIsTakenOut) {
    using B = StoredTextBreak;
    struct Row {
        const char* text;
        B strict, lineFeedKept;
    };
    const Row rows[] = {
        {"/a b/c.txt", B::None, B::None},
        {"/a|b", B::FieldSeparator, B::FieldSeparator},
        {"/a\rb", B::LineBreak, B::LineBreak},
        {"/a\nb", B::LineBreak, B::None},
        {"/a\x1a"
         "b",
         B::EndOfFile, B::EndOfFile},
        {"\x1a\n|", B::FieldSeparator, B::FieldSeparator},
        {"\x1a\n", B::LineBreak, B::EndOfFile},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FindStoredTextBreak(r.text), r.strict) << r.text;
        EXPECT_EQ(FindStoredTextBreak(r.text, false), r.lineFeedKept) << r.text;
    }
    EXPECT_EQ(WithoutLineBreaks("a\r\nb\nc\x1a"
                                "d|e"),
              "abcd|e");
}

TEST(StorePaths, JoinUsesThePlatformSeparator) {
    const std::string sep(1, kPathSeparator);
    EXPECT_EQ(JoinPath("a", "b"), "a" + sep + "b");
    EXPECT_EQ(JoinPath("a" + sep, "b"), "a" + sep + "b");
    EXPECT_EQ(WithSeparator("a"), "a" + sep);
    EXPECT_EQ(WithSeparator("a" + sep), "a" + sep);
}

}  // namespace
}  // namespace orbel
