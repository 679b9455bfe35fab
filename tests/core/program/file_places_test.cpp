// Where each file lives: beside a writable executable, else in the user's
// own directories; and the start-up check that those can be written.

#include "core/program/file_places.h"

#include <gtest/gtest.h>

#include "tests/core/store/store_test_support.h"

namespace orbel {
namespace {

using test::TempDir;

TEST(FilePlaces, DecidedByTheProgramDirectory) {
    const UserDirectories home{"/home/u/.local/share", "/home/u/.config", "/home/u/.local/state"};
    struct Case {
        const char* name;
        std::string programDir;
        bool writable;
        UserDirectories user;
        std::string data, config, state;
    } cases[] = {
        {"portable keeps everything beside the executable", "/opt/orbel/", true, home, "/opt/orbel/", "/opt/orbel/",
         "/opt/orbel/"},
        {"installed uses the user's directories", "/usr/lib/tandrel-orbel/", false, home,
         "/home/u/.local/share/tandrel-orbel/", "/home/u/.config/tandrel-orbel/",
         "/home/u/.local/state/tandrel-orbel/"},
        {"trailing separators are not doubled",
         "/usr/lib/tandrel-orbel/",
         false,
         {"/d/", "/c//", "/"},
         "/d/tandrel-orbel/",
         "/c/tandrel-orbel/",
         "/tandrel-orbel/"},
        {"the program directory's separator is kept",
         "C:\\Program Files\\Orbel\\",
         false,
         {"C:\\Users\\u\\AppData\\Local", "C:\\Users\\u\\AppData\\Roaming\\", "C:\\Users\\u\\AppData\\Local"},
         "C:\\Users\\u\\AppData\\Local\\tandrel-orbel\\",
         "C:\\Users\\u\\AppData\\Roaming\\tandrel-orbel\\",
         "C:\\Users\\u\\AppData\\Local\\tandrel-orbel\\"},
        {"no home directory leaves the places empty", "/usr/lib/tandrel-orbel/", false, {}, "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FilePlaces p = DecideFilePlaces(c.programDir, c.writable, c.user);
        EXPECT_EQ(p.portable, c.writable);
        EXPECT_EQ(p.dataDir, c.data);
        EXPECT_EQ(p.configDir, c.config);
        EXPECT_EQ(p.stateDir, c.state);
        EXPECT_EQ(p.settingsFile(), c.config + "orbel.ini");
        EXPECT_EQ(p.logFile(), c.state + "errorlog.txt");
        EXPECT_EQ(p.launchHistoryFile(), c.state + "launches.txt");
        // What was installed stays where it was installed.
        EXPECT_EQ(p.helpPage(), c.programDir + "help.html");
        EXPECT_EQ(p.installedFile("media/chord.wav"), c.programDir + "media/chord.wav");
    }
}

TEST(FilePlaces, EachWrittenDirectoryOnce) {
    EXPECT_EQ(DecideFilePlaces("/p/", true, {"/d", "/c", "/s"}).writableDirs(), std::vector<std::string>{"/p/"});
    EXPECT_EQ(DecideFilePlaces("/p/", false, {"/d", "/c", "/s"}).writableDirs(),
              (std::vector<std::string>{"/d/tandrel-orbel/", "/c/tandrel-orbel/", "/s/tandrel-orbel/"}));
    EXPECT_EQ(DecideFilePlaces("/p/", false, {"/x", "/x", "/s"}).writableDirs(),
              (std::vector<std::string>{"/x/tandrel-orbel/", "/s/tandrel-orbel/"}));
}

bool Writable(const std::string&, std::string*) { return true; }
bool ReadOnly(const std::string&, std::string* reason) {
    *reason = "Read-only file system";
    return false;
}

TEST(FilePlaces, PreparedDirectoriesOrAMessageNamingTheFirstThatFails) {
    TempDir t;
    const FilePlaces fresh = DecideFilePlaces("/p/", false, {t / "a/share", t / "b/config", t / "c/state"});
    EXPECT_EQ(PrepareFilePlaces(fresh, &Writable), "");
    for (const std::string& dir : fresh.writableDirs()) EXPECT_TRUE(std::filesystem::is_directory(dir)) << dir;

    EXPECT_EQ(PrepareFilePlaces(fresh, &ReadOnly),
              "Unable to write to the directory \"" + fresh.dataDir + "\": Read-only file system");

    // A file where a directory should be: refused whoever runs the test.
    t.write("blocked", "x");
    const FilePlaces blocked = DecideFilePlaces("/p/", false, {t / "a/share", t / "blocked", t / "c/state"});
    const std::string message = PrepareFilePlaces(blocked, &Writable);
    EXPECT_EQ(message.rfind("Unable to create the directory \"" + blocked.configDir + "\": ", 0), 0u) << message;

    EXPECT_EQ(PrepareFilePlaces(DecideFilePlaces("/usr/lib/tandrel-orbel/", false, {}), &Writable),
              "Unable to write to the directory \"/usr/lib/tandrel-orbel/\", and the user's own directories "
              "are unknown (no home directory)");
}

}  // namespace
}  // namespace orbel
