#include "platform/system_info.h"
#include "platform/tray_host.h"

#include <gtest/gtest.h>

#include <ctime>

#include "core/program/error_log.h"
#include "core/program/texts.h"
#include "core/store/program_kind.h"
#include "core/system/win_version.h"
#include "tests/core/store/store_test_support.h"
#include "win32_test_support.h"

namespace orbel::platform {
namespace {

// The version the system keeps in its registry: GetVersionEx would give the
// version this program's manifest asks for, the registry the real one.
TEST(SystemInfo, VersionRecordIsTheSystemsOwn) {
    const VersionRecord record = CurrentVersionRecord();
    EXPECT_EQ(record.family, VersionRecord::Family::NT);
    const wchar_t* key = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    DWORD major = 0, minor = 0, bytes = sizeof(DWORD);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, L"CurrentMajorVersionNumber", RRF_RT_REG_DWORD, nullptr, &major,
                     &bytes) == ERROR_SUCCESS) {
        bytes = sizeof(DWORD);
        RegGetValueW(HKEY_LOCAL_MACHINE, key, L"CurrentMinorVersionNumber", RRF_RT_REG_DWORD, nullptr, &minor, &bytes);
        EXPECT_EQ(record.major, major);
        EXPECT_EQ(record.minor, minor);
    }
    wchar_t build[32] = {};
    bytes = sizeof build;
    ASSERT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, key, L"CurrentBuildNumber", RRF_RT_REG_SZ, nullptr, build, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(record.build, std::stoul(testing::Utf8(build)));
    // Only a Windows 2000 to XP line (major version 5) makes class 5.
    EXPECT_EQ(GetWindowsVersionClass(record), record.major == 5 ? 5 : 0);
}

TEST(SystemInfo, LastErrorAndItsSystemText) {
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(LastErrorCode(), ERROR_ACCESS_DENIED);
    const std::string denied = LastErrorText(ERROR_ACCESS_DENIED);
    const std::string missing = LastErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(denied.empty());
    EXPECT_NE(denied, missing);
    // One line, with nothing dangling: the log line ends right after it.
    EXPECT_EQ(denied.find_first_of("\r\n"), std::string::npos) << denied;
    EXPECT_NE(denied.back(), ' ');
    const std::string line = BuildErrorLogLine("d", "t", "m", ERROR_ACCESS_DENIED, denied);
    EXPECT_EQ(line.rfind("d - t: Orbel: m. Last Win32 Error (5): " + denied.substr(0, 3), 0), 0u) << line;
    EXPECT_EQ(line.find(".."), std::string::npos) << line;
}

TEST(SystemInfo, DateAndTimeTextsAreNow) {
    const std::time_t now = std::time(nullptr);
    const LocalTimeTexts texts = CurrentLocalTimeTexts();
    std::tm local{};
    localtime_s(&local, &now);
    const std::string year = std::to_string(local.tm_year + 1900);
    // The short date may write the year with two digits.
    EXPECT_NE(texts.shortDate.find(year.substr(2)), std::string::npos) << texts.shortDate;
    char minute[3];
    std::snprintf(minute, sizeof minute, "%02d", local.tm_min);
    EXPECT_NE(texts.longTime.find(minute), std::string::npos) << texts.longTime;
    EXPECT_GE(texts.longTime.size(), 5u);
}

// The about box's line, exactly as it always read on Windows.
TEST(SystemInfo, AboutBoxLineNamesWindows) {
    EXPECT_EQ(texts::VersionLine(SystemName()), "Tandrel Orbel version 1.12 for Windows");
}

TEST(SystemInfo, NoXEmbedTrayBesideTheShellsOwn) { EXPECT_FALSE(XEmbedTrayPresent()); }

TEST(SystemInfo, ProgramsAreExecutableFiles) {
    test::TempDir dir;
    dir.write("notes.txt", "text");
    EXPECT_TRUE(UserMayExecute(ExecutablePath()));
    EXPECT_FALSE(UserMayExecute(dir.path()));
    EXPECT_FALSE(UserMayExecute(dir / "gone.exe"));
    EXPECT_FALSE(UserMayExecute(""));
    const std::unique_ptr<SystemCalls> calls = MakeSystemCalls();
    const ScopedSystemCalls installed(*calls);
    EXPECT_TRUE(IsProgramPath(ExecutablePath()));
    EXPECT_FALSE(IsProgramPath(dir / "notes.txt"));
}

}  // namespace
}  // namespace orbel::platform
