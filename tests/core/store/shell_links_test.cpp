#include "core/store/shell_links.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>

namespace orbel {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kIdList = 0x1, kLinkInfo = 0x2, kName = 0x4, kRelPath = 0x8, kWorkDir = 0x10,
                        kArgs = 0x20, kIcon = 0x40, kUnicode = 0x80, kForceNoLinkInfo = 0x100;

void Put16(std::string& b, std::uint32_t v)
{
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void Set32(std::string& b, std::size_t at, std::uint32_t v)
{
    std::string tmp;
    Put32(tmp, v);
    b.replace(at, 4, tmp);
}

// UTF-8 test text to UTF-16LE code units.
std::string Utf16(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        std::uint32_t cp;
        int len;
        if (c < 0x80) { cp = c; len = 1; }
        else if (c < 0xE0) { cp = c & 0x1F; len = 2; }
        else if (c < 0xF0) { cp = c & 0x0F; len = 3; }
        else { cp = c & 0x07; len = 4; }
        for (int k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            Put16(out, 0xD800 + (cp >> 10));
            Put16(out, 0xDC00 + (cp & 0x3FF));
        } else {
            Put16(out, cp);
        }
    }
    return out;
}

// A LinkInfo block with a volume id and a local base path; with unicode the
// larger header and UTF-16 copies of both strings.
std::string LocalLinkInfo(const std::string& base, const std::string& suffix, bool unicode = false)
{
    const std::uint32_t header = unicode ? 0x24 : 0x1C;
    std::string volume;
    Put32(volume, 0x11);  // VolumeIDSize
    Put32(volume, 3);     // fixed drive
    Put32(volume, 0x1234ABCD);
    Put32(volume, 0x10);  // label offset
    volume += '\0';

    const std::uint32_t volumeAt = header;
    const std::uint32_t baseAt = volumeAt + static_cast<std::uint32_t>(volume.size());
    const std::uint32_t suffixAt = baseAt + static_cast<std::uint32_t>(base.size()) + 1;
    std::string tail = volume + base + '\0' + suffix + '\0';
    std::uint32_t baseUAt = 0, suffixUAt = 0;
    if (unicode) {
        baseUAt = header + static_cast<std::uint32_t>(tail.size());
        tail += Utf16(base) + std::string(2, '\0');
        suffixUAt = header + static_cast<std::uint32_t>(tail.size());
        tail += Utf16(suffix) + std::string(2, '\0');
    }
    std::string b;
    Put32(b, header + static_cast<std::uint32_t>(tail.size()));
    Put32(b, header);
    Put32(b, 0x1);  // VolumeIDAndLocalBasePath
    Put32(b, volumeAt);
    Put32(b, baseAt);
    Put32(b, 0);
    Put32(b, suffixAt);
    if (unicode) {
        Put32(b, baseUAt);
        Put32(b, suffixUAt);
    }
    return b + tail;
}

struct LinkBuilder {
    std::uint32_t extraFlags = 0;
    bool unicode = false;
    std::int32_t iconIndex = 0;
    std::uint32_t showCommand = 1;
    std::uint16_t hotKey = 0;
    std::optional<std::string> idItems;   // item bytes without the terminator
    std::optional<std::string> linkInfo;  // a whole LinkInfo block
    std::optional<std::string> name, relativePath, workingDir, arguments, iconLocation;
    std::string extraData = std::string(4, '\0');  // terminal block

    std::string Build() const
    {
        std::uint32_t flags = extraFlags | (unicode ? kUnicode : 0);
        if (idItems) flags |= kIdList;
        if (linkInfo) flags |= kLinkInfo;
        if (name) flags |= kName;
        if (relativePath) flags |= kRelPath;
        if (workingDir) flags |= kWorkDir;
        if (arguments) flags |= kArgs;
        if (iconLocation) flags |= kIcon;

        std::string b;
        Put32(b, 0x4C);
        b += std::string("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46", 16);
        Put32(b, flags);
        Put32(b, 0x20);                  // archive attribute
        b += std::string(24, '\x11');    // three file times
        Put32(b, 12345);
        Put32(b, static_cast<std::uint32_t>(iconIndex));
        Put32(b, showCommand);
        Put16(b, hotKey);
        b += std::string(10, '\0');
        if (idItems) {
            Put16(b, static_cast<std::uint32_t>(idItems->size() + 2));
            b += *idItems + std::string(2, '\0');
        }
        if (linkInfo)
            b += *linkInfo;
        for (const auto* s : {&name, &relativePath, &workingDir, &arguments, &iconLocation}) {
            if (!*s)
                continue;
            const std::string chars = unicode ? Utf16(**s) : **s;
            Put16(b, static_cast<std::uint32_t>(unicode ? chars.size() / 2 : chars.size()));
            b += chars;
        }
        return b + extraData;
    }
};

std::string IdItem(const std::string& payload)
{
    std::string b;
    Put16(b, static_cast<std::uint32_t>(payload.size() + 2));
    return b + payload;
}

LinkBuilder FullAnsiLink()
{
    LinkBuilder l;
    l.idItems = IdItem("\x1f\x50" + std::string(16, '\x0A')) + IdItem("/C:\\");
    l.linkInfo = LocalLinkInfo("C:\\Tools\\", "editor.exe");
    l.name = "Text editor";
    l.relativePath = "..\\Tools\\editor.exe";
    l.workingDir = "C:\\Work";
    l.arguments = "-n \"a b.txt\"";
    l.iconLocation = "C:\\Tools\\icons.dll";
    l.iconIndex = -3;
    l.showCommand = 3;
    l.hotKey = 0x0641;  // Ctrl+Alt+A
    return l;
}

ShellLinkDescription Sentinel()
{
    ShellLinkDescription d;
    d.target = "untouched";
    d.iconIndex = 99;
    return d;
}

TEST(ShellLinkParse, ReadsEveryFieldOfAnAnsiLink)
{
    const LinkBuilder l = FullAnsiLink();
    ShellLinkDescription d;
    ASSERT_EQ(ParseShellLink(l.Build(), d), kShellLinkOk);
    EXPECT_EQ(d.target, "C:\\Tools\\editor.exe");
    EXPECT_EQ(d.arguments, "-n \"a b.txt\"");
    EXPECT_EQ(d.workingDirectory, "C:\\Work");
    EXPECT_EQ(d.description, "Text editor");
    EXPECT_EQ(d.relativePath, "..\\Tools\\editor.exe");
    EXPECT_EQ(d.iconLocation, "C:\\Tools\\icons.dll");
    EXPECT_EQ(d.iconIndex, -3);
    EXPECT_EQ(d.showCommand, 3);
    EXPECT_EQ(d.hotKey, 0x0641);
    EXPECT_EQ(d.idList, *l.idItems + std::string(2, '\0'));
}

TEST(ShellLinkParse, UnicodeStringsAndUnicodeLinkInfoBecomeUtf8)
{
    LinkBuilder l;
    l.unicode = true;
    // The ANSI copies differ so the test sees which one is used.
    std::string info = LocalLinkInfo("C:\\Ünïcode\\日本\\", "😀.exe", true);
    l.linkInfo = info;
    l.arguments = "--title=Grüße 😀";
    l.workingDir = "D:\\Ordner";
    ShellLinkDescription d;
    ASSERT_EQ(ParseShellLink(l.Build(), d), kShellLinkOk);
    EXPECT_EQ(d.target, "C:\\Ünïcode\\日本\\😀.exe");
    EXPECT_EQ(d.arguments, "--title=Grüße 😀");
    EXPECT_EQ(d.workingDirectory, "D:\\Ordner");
    EXPECT_TRUE(d.idList.empty());
}

TEST(ShellLinkParse, EightBitTextIsKeptAsUtf8OrReadAsWindows1252)
{
    LinkBuilder l;
    l.linkInfo = LocalLinkInfo("C:\\caf\xE9\\", "\x80.txt");
    l.arguments = "déjà";  // already UTF-8
    ShellLinkDescription d;
    ASSERT_EQ(ParseShellLink(l.Build(), d), kShellLinkOk);
    EXPECT_EQ(d.target, "C:\\café\\€.txt");
    EXPECT_EQ(d.arguments, "déjà");
}

TEST(ShellLinkParse, TargetFallsBackToTheRelativePath)
{
    struct Case {
        const char* what;
        std::optional<std::string> info;
        std::uint32_t extraFlags;
        std::optional<std::string> relative;
        int result;
        std::string target;
    };
    std::string networkOnly = LocalLinkInfo("C:\\x\\", "y");
    Set32(networkOnly, 8, 0x2);  // only a network location, no local path
    const Case cases[] = {
        {"no link info", std::nullopt, 0, "..\\bin\\tool.exe", kShellLinkOk, "..\\bin\\tool.exe"},
        {"link info ignored by flag", LocalLinkInfo("C:\\a\\", "b.exe"), kForceNoLinkInfo, "b.exe", kShellLinkOk,
         "b.exe"},
        {"network link info", networkOnly, 0, "y", kShellLinkOk, "y"},
        {"local path wins", LocalLinkInfo("C:\\a\\", "b.exe"), 0, "other.exe", kShellLinkOk, "C:\\a\\b.exe"},
        {"nothing names a target", std::nullopt, 0, std::nullopt, kShellLinkNoTarget, ""},
        {"empty relative path", std::nullopt, 0, "", kShellLinkNoTarget, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LinkBuilder l;
        l.linkInfo = c.info;
        l.extraFlags = c.extraFlags;
        l.relativePath = c.relative;
        ShellLinkDescription d = Sentinel();
        ASSERT_EQ(ParseShellLink(l.Build(), d), c.result);
        EXPECT_EQ(d.target, c.result == kShellLinkOk ? c.target : "untouched");
    }
}

TEST(ShellLinkParse, UnknownShowCommandsMeanANormalWindow)
{
    const std::pair<std::uint32_t, int> cases[] = {{0, 1}, {1, 1}, {2, 1}, {3, 3}, {7, 7}, {5, 1}, {0xFFFFFFFF, 1}};
    for (const auto& [stored, expected] : cases) {
        LinkBuilder l;
        l.relativePath = "x";
        l.showCommand = stored;
        ShellLinkDescription d;
        ASSERT_EQ(ParseShellLink(l.Build(), d), kShellLinkOk);
        EXPECT_EQ(d.showCommand, expected) << stored;
    }
}

TEST(ShellLinkParse, TextStopsAtAnEmbeddedNulAndLoneSurrogatesAreReplaced)
{
    LinkBuilder l;
    l.relativePath = std::string("run.exe\0 --evil", 15);
    ShellLinkDescription d;
    ASSERT_EQ(ParseShellLink(l.Build(), d), kShellLinkOk);
    EXPECT_EQ(d.target, "run.exe");

    LinkBuilder u;
    u.unicode = true;
    u.relativePath = "a";
    std::string bytes = u.Build();
    // Replace the one code unit of "a" with an unpaired high surrogate.
    const std::size_t at = bytes.size() - 4 - 2;
    bytes[at] = '\x00';
    bytes[at + 1] = '\xD8';
    ASSERT_EQ(ParseShellLink(bytes, d), kShellLinkOk);
    EXPECT_EQ(d.target, "\xEF\xBF\xBD");
}

TEST(ShellLinkParse, RejectsWhatIsNoLink)
{
    std::string wrongClsid = FullAnsiLink().Build();
    wrongClsid[4] = '\x02';
    std::string wrongSize = FullAnsiLink().Build();
    wrongSize[0] = '\x4D';
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"text", "[InternetShortcut]\r\nURL=http://example.org/\r\n"},
        {"wrong class id", wrongClsid},
        {"wrong header size", wrongSize},
        {"elf", std::string("\x7f" "ELF\x02\x01\x01", 7) + std::string(100, '\0')},
    };
    for (const auto& [what, bytes] : cases) {
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ParseShellLink(bytes, d), kShellLinkNotALink) << what;
        EXPECT_EQ(d.target, "untouched") << what;
    }
}

TEST(ShellLinkParse, EveryTruncationFailsAndLeavesTheDescriptionAlone)
{
    for (const bool unicode : {false, true}) {
        LinkBuilder l = FullAnsiLink();
        l.unicode = unicode;
        l.linkInfo = LocalLinkInfo("C:\\Tools\\", "editor.exe", unicode);
        l.extraData.clear();
        const std::string full = l.Build();
        ShellLinkDescription d;
        ASSERT_EQ(ParseShellLink(full, d), kShellLinkOk);
        for (std::size_t n = 0; n < full.size(); ++n) {
            d = Sentinel();
            const int result = ParseShellLink(std::string_view(full).substr(0, n), d);
            EXPECT_LT(result, 0) << "prefix " << n;
            EXPECT_EQ(d.target, "untouched") << "prefix " << n;
        }
    }
}

TEST(ShellLinkParse, InconsistentStructuresAreMalformed)
{
    const auto withInfo = [](auto edit) {
        std::string info = LocalLinkInfo("C:\\a\\", "b.exe", true);
        edit(info);
        LinkBuilder l;
        l.linkInfo = info;
        l.relativePath = "fallback";
        return l.Build();
    };
    const auto withItems = [](const std::string& items) {
        LinkBuilder l;
        l.idItems = items;
        l.relativePath = "x";
        return l.Build();
    };
    LinkBuilder listTooLong;
    listTooLong.idItems = IdItem("abc");
    std::string listBeyondFile = listTooLong.Build();
    listBeyondFile[0x4C] = '\xFF';
    listBeyondFile[0x4D] = '\x7F';
    std::string noTerminator = withItems(IdItem("ab"));
    noTerminator[0x4C] = '\x04';  // the list ends right after its one item
    LinkBuilder stringTooLong;
    stringTooLong.relativePath = "x";
    std::string countBeyondFile = stringTooLong.Build();
    countBeyondFile[0x4C] = '\x40';

    const std::pair<const char*, std::string> cases[] = {
        {"item of size one", withItems(std::string("\x01\x00", 2))},
        {"item past the list", withItems(std::string("\x09\x00" "ab", 4))},
        {"no terminator", noTerminator},
        {"id list past the file", listBeyondFile},
        {"link info smaller than its header", withInfo([](std::string& i) { Set32(i, 0, 0x10); })},
        {"link info past the file", withInfo([](std::string& i) { Set32(i, 0, 0x7FFFFFF0); })},
        {"header larger than link info", withInfo([](std::string& i) { Set32(i, 4, 0x1000); })},
        {"base path offset outside", withInfo([](std::string& i) { Set32(i, 0x1C, 0x5000); })},
        {"suffix offset outside", withInfo([](std::string& i) { Set32(i, 0x20, 0xFFFFFFFF); })},
        {"base path unterminated", withInfo([](std::string& i) {
             i.resize(i.size() - 1);
             Set32(i, 0, static_cast<std::uint32_t>(i.size()));
         })},
        {"string count past the file", countBeyondFile},
    };
    for (const auto& [what, bytes] : cases) {
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ParseShellLink(bytes, d), kShellLinkMalformed) << what;
        EXPECT_EQ(d.target, "untouched") << what;
    }
}

class ShellLinkFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("orbel-links-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_ / "links");
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& bytes)
    {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    fs::path dir_;
};

TEST_F(ShellLinkFile, ResolvesALinkFileAndAnchorsARelativeTargetAtIt)
{
    LinkBuilder l;
    l.relativePath = "..\\bin\\tool.exe";
    l.arguments = "-v";
    ShellLinkDescription d;
    ASSERT_EQ(ResolveShellLink(Write("links/tool.lnk", l.Build()), d), kShellLinkOk);
    EXPECT_EQ(d.target, (dir_ / "bin" / "tool.exe").string());
    EXPECT_EQ(d.relativePath, "..\\bin\\tool.exe");
    EXPECT_EQ(d.arguments, "-v");

    ASSERT_EQ(ResolveShellLink(Write("links/full.lnk", FullAnsiLink().Build()), d), kShellLinkOk);
    EXPECT_EQ(d.target, "C:\\Tools\\editor.exe");
}

TEST_F(ShellLinkFile, FailuresLeaveTheDescriptionUntouched)
{
    const std::pair<std::string, int> cases[] = {
        {(dir_ / "missing.lnk").string(), kShellLinkUnreadable},
        {(dir_ / "links").string(), kShellLinkUnreadable},
        {"", kShellLinkUnreadable},
        {Write("text.lnk", "not a link at all"), kShellLinkNotALink},
        {Write("short.lnk", FullAnsiLink().Build().substr(0, 0x60)), kShellLinkMalformed},
    };
    for (const auto& [file, expected] : cases) {
        ShellLinkDescription d = Sentinel();
        EXPECT_EQ(ResolveShellLink(file, d), expected) << file;
        EXPECT_EQ(d.target, "untouched") << file;
        EXPECT_EQ(d.iconIndex, 99) << file;
    }
}

}  // namespace
}  // namespace orbel
