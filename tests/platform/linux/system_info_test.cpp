#include "platform/system_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <utility>
#include <vector>

#include "core/program/texts.h"
#include "core/store/program_kind.h"
#include "core/store/store_files.h"
#include "core/system/win_version.h"
#include "test_support.h"

namespace orbel::platform {
namespace {

using testing::kExecutable;
using testing::WriteFile;

TEST(SystemInfo, ErrorTextNamesTheError) {
    errno = ENOENT;
    EXPECT_EQ(LastErrorCode(), ENOENT);
    EXPECT_FALSE(LastErrorText(ENOENT).empty());
    EXPECT_NE(LastErrorText(ENOENT), LastErrorText(EACCES));
}

// The about box names the system it runs on, not the one it was first written for.
TEST(SystemInfo, AboutBoxLineNamesLinux) {
    EXPECT_EQ(texts::VersionLine(SystemName()), "Tandrel Orbel version 1.12 for Linux");
}

TEST(SystemInfo, VersionClassIsFive) { EXPECT_EQ(GetWindowsVersionClass(CurrentVersionRecord()), 5); }

TEST(SystemInfo, ExecutePermissionAndProgramKind) {
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("run.sh"));
    const QString plain = dir.filePath(QStringLiteral("plain.sh"));
    const QString flaggedText = dir.filePath(QStringLiteral("notes.txt"));
    ASSERT_TRUE(WriteFile(script, "#!/bin/sh\n", kExecutable));
    ASSERT_TRUE(WriteFile(plain, "#!/bin/sh\n"));
    ASSERT_TRUE(WriteFile(flaggedText, "text\n", kExecutable));

    const struct {
        QString path;
        bool mayExecute;
        bool program;
    } cases[] = {
        {script, true, true},
        {plain, false, false},
        {flaggedText, true, false},
        {dir.path(), false, false},  // directories carry x for entering
        {dir.filePath(QStringLiteral("gone")), false, false},
        {QCoreApplication::applicationFilePath(), true, true},
    };
    const std::unique_ptr<SystemCalls> calls = MakeSystemCalls();
    const ScopedSystemCalls installed(*calls);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const std::string path = QFile::encodeName(c.path).toStdString();
        EXPECT_EQ(UserMayExecute(path), c.mayExecute);
        EXPECT_EQ(IsProgramPath(path), c.program);
    }
}

// The listing tells each kind as the directory gives it, links unfollowed.
TEST(SystemInfo, FolderListingTellsEachKind) {
    QTemporaryDir dir;
    const std::string d = QFile::encodeName(dir.path()).toStdString() + "/";
    ASSERT_TRUE(WriteFile(dir.filePath(QStringLiteral("file.bmp")), "BM"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("file.bmp")), dir.filePath(QStringLiteral("link.bmp"))));
    ASSERT_EQ(::mkfifo((d + "pipe").c_str(), 0600), 0);
    auto listed = [&] {
        std::vector<std::pair<std::string, ListedKind>> out;
        for (const ListedName& n : ListFolder(d)) out.emplace_back(n.name, n.kind);
        std::sort(out.begin(), out.end());
        return out;
    };
    const std::vector<std::pair<std::string, ListedKind>> expected{{"file.bmp", ListedKind::File},
                                                                   {"link.bmp", ListedKind::Link},
                                                                   {"pipe", ListedKind::Other},
                                                                   {"sub", ListedKind::Directory}};
    const std::unique_ptr<SystemCalls> calls = MakeSystemCalls();
    const ScopedSystemCalls installed(*calls);
    EXPECT_EQ(listed(), expected);
    EXPECT_TRUE(ListFolder(d + "gone/").empty());
}

}  // namespace
}  // namespace orbel::platform
