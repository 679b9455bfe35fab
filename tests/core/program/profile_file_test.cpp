// The settings file: reading, writing and deleting keys the way the Windows
// profile functions do, and replacing the file in one piece.

#include "core/program/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/core/store/store_test_support.h"

namespace orbel {
namespace {

using test::TempDir;

const char* const kSample =
    "; kept comment\r\n"
    "top=before any section\r\n"
    "[General Settings]\r\n"
    "TaskBar=0\r\n"
    "Other = spaced value  \r\n"
    "Quoted=\"  in quotes \"\r\n"
    "Single='x'\r\n"
    "Half=\"open\r\n"
    "Empty=\r\n"
    "Dup=first\r\n"
    "Dup=second\r\n"
    "; TaskBar=comment, not a key\r\n"
    "\r\n"
    "[ Font Settings ]  trailing\r\n"
    "FontName=Arial\r\n"
    "[general settings]\r\n"
    "TaskBar=from the second copy\r\n";

TEST(ProfileFileRead, ValuesAsTheWindowsFunctionsReturnThem) {
    const ProfileFile f = ProfileFile::FromText(kSample);
    struct Case {
        const char* section;
        const char* key;
        const char* def;
        const char* expected;
    } cases[] = {
        {"General Settings", "TaskBar", "d", "0"},
        {"GENERAL SETTINGS", "taskbar", "d", "0"},            // names ignore case
        {"General Settings", "Other", "d", "spaced value"},   // blanks round the value go
        {"General Settings", "Quoted", "d", "  in quotes "},  // one pair of quotes goes
        {"General Settings", "Single", "d", "x"},
        {"General Settings", "Half", "d", "\"open"},      // unmatched quote stays
        {"General Settings", "Empty", "d", ""},           // empty, not the default
        {"General Settings", "Dup", "d", "first"},        // first of duplicates
        {"General Settings", "Missing", "def  ", "def"},  // default loses trailing blanks
        {"General Settings", "; TaskBar", "d", "d"},      // comments are no keys
        {"Font Settings", "FontName", "d", "Arial"},      // header name trimmed
        {"Font Settings", "TaskBar", "d", "d"},           // keys stay in their section
        {"No Such", "TaskBar", "d", "d"},
        {"", "top", "d", "d"},  // lines before any section belong to none
    };
    for (const Case& c : cases)
        EXPECT_EQ(f.ReadString(c.section, c.key, c.def), c.expected) << c.section << "/" << c.key;
}

TEST(ProfileFileRead, LineEndsAndLongValues) {
    const ProfileFile lf = ProfileFile::FromText("[S]\nA=1\nB=2");  // LF and no final line end
    EXPECT_EQ(lf.ReadString("S", "A", ""), "1");
    EXPECT_EQ(lf.ReadString("S", "B", ""), "2");
    const ProfileFile big = ProfileFile::FromText("[S]\r\nV=" + std::string(3000, 'v') + "\r\n");
    EXPECT_EQ(big.ReadString("S", "V", "").size(), ProfileFile::kMaxValue);
    EXPECT_EQ(big.ReadString("S", "W", std::string(3000, 'd')).size(), ProfileFile::kMaxValue);
}

TEST(ProfileFileWrite, PlacesKeysAndKeepsEveryOtherLine) {
    struct Case {
        const char* name;
        const char* before;
        void (*edit)(ProfileFile&);
        const char* after;
    } cases[] = {
        {"empty file gets section and key", "", [](ProfileFile& f) { f.WriteString("S", "K", "v"); }, "[S]\r\nK=v\r\n"},
        {"existing key replaced in place, its spelling kept", "[S]\r\nA=1\r\nK=old\r\nB=2\r\n",
         [](ProfileFile& f) { f.WriteString("s", "k", "new"); }, "[S]\r\nA=1\r\nK=new\r\nB=2\r\n"},
        {"delete then write moves the key to the end", "[S]\r\nK=old\r\nB=2\r\n",
         [](ProfileFile& f) {
             f.DeleteKey("S", "K");
             f.WriteString("S", "K", "new");
         },
         "[S]\r\nB=2\r\nK=new\r\n"},
        {"new key before the blank lines that part sections", "[S]\r\nA=1\r\n\r\n;c\r\n\r\n[T]\r\nX=1\r\n",
         [](ProfileFile& f) { f.WriteString("S", "K", "v"); }, "[S]\r\nA=1\r\n\r\n;c\r\nK=v\r\n\r\n[T]\r\nX=1\r\n"},
        {"missing section appended after the rest", "; head\r\n[T]\r\nX=1",
         [](ProfileFile& f) { f.WriteString("S", "K", "v"); }, "; head\r\n[T]\r\nX=1\r\n[S]\r\nK=v\r\n"},
        {"only the first duplicate key goes", "[S]\r\nK=1\r\nK=2\r\n", [](ProfileFile& f) { f.DeleteKey("S", "K"); },
         "[S]\r\nK=2\r\n"},
        {"deleting what is missing changes nothing", "[S]\r\nA=1\n",
         [](ProfileFile& f) {
             f.DeleteKey("S", "K");
             f.DeleteKey("T", "A");
         },
         "[S]\r\nA=1\r\n"},
        {"a key in the empty header section", "[S]\r\n", [](ProfileFile& f) { f.WriteString("S", "K", ""); },
         "[S]\r\nK=\r\n"},
    };
    for (const Case& c : cases) {
        ProfileFile f = ProfileFile::FromText(c.before);
        c.edit(f);
        EXPECT_EQ(f.Text(), c.after) << c.name;
    }
}

TEST(ProfileFileWrite, RefusesWhatWouldBreakTheLines) {
    ProfileFile f = ProfileFile::FromText("[S]\r\nA=1\r\n");
    const std::pair<std::string, std::string> badNames[] = {
        {"S]", "K"}, {"", "K"}, {"S\r\n[T", "K"}, {"S", "K=1"}, {"S", ""}, {"S", "[K"}, {"S", ";K"}, {"S", " K"},
    };
    for (const auto& [s, k] : badNames) EXPECT_THROW(f.WriteString(s, k, "v"), ProfileError) << s << "/" << k;
    EXPECT_THROW(f.WriteString("S", "K", "one\r\n[Evil]\r\nA=2"), ProfileError);
    EXPECT_THROW(f.WriteString("S", "K", std::string("a\0b", 3)), ProfileError);
    EXPECT_EQ(f.Text(), "[S]\r\nA=1\r\n");  // nothing half written
}

TEST(ProfileFileDisk, SaveReplacesTheFileWholeAndLeavesNoTemporary) {
    TempDir t;
    const std::string path = t / "orbel.ini";
    EXPECT_EQ(ProfileFile::Load(path).Text(), "");  // missing file reads as empty
    EXPECT_FALSE(std::filesystem::exists(path));    // and is not created by reading
    t.write("orbel.ini", "[Mine]\nKeep=me\n");
    ProfileFile f = ProfileFile::Load(path);
    f.WriteString("S", "K", "v");
    f.Save(path);
    EXPECT_EQ(test::ReadBytes(path), "[Mine]\r\nKeep=me\r\n[S]\r\nK=v\r\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(t.path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(ProfileFileDisk, FailuresLeaveTheOldFileAndSayWhere) {
    TempDir t;
    // The target's directory is missing: nothing can be written.
    ProfileFile f = ProfileFile::FromText("[S]\r\nK=v\r\n");
    try {
        f.Save(t / "gone/orbel.ini");
        FAIL() << "saved into a missing directory";
    } catch (const ProfileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Unable to write to " + (t / "gone/orbel.ini") + ": No such file or directory");
    }
    // A settings path that is a directory cannot be read, so it is never
    // overwritten with a file that knows nothing of its contents.
    t.mkdir("dir.ini");
    ProfileFile unreadable = ProfileFile::Load(t / "dir.ini");
    unreadable.WriteString("S", "K", "v");
    EXPECT_THROW(unreadable.Save(t / "dir.ini"), ProfileError);
    EXPECT_TRUE(std::filesystem::is_directory(t / "dir.ini"));
}

}  // namespace
}  // namespace orbel
