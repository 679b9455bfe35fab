#include "platform/user_dirs.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

#include "platform/system_info.h"
#include "test_support.h"

namespace orbel::platform {
namespace {

using testing::ScopedEnv;

TEST(UserDirs, BaseDirectoryVariablesCountOnlyWhenAbsolute) {
    ScopedEnv home("HOME", QByteArray("/home/u"));
    struct Case {
        std::optional<QByteArray> value;
        const char* data;
        const char* config;
        const char* state;
    } cases[] = {
        {std::nullopt, "/home/u/.local/share", "/home/u/.config", "/home/u/.local/state"},
        {QByteArray(""), "/home/u/.local/share", "/home/u/.config", "/home/u/.local/state"},
        {QByteArray("relative/dir"), "/home/u/.local/share", "/home/u/.config", "/home/u/.local/state"},
        {QByteArray("/x/y/"), "/x/y", "/x/y", "/x/y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value ? c.value->constData() : "(unset)");
        ScopedEnv data("XDG_DATA_HOME", c.value);
        ScopedEnv config("XDG_CONFIG_HOME", c.value);
        ScopedEnv state("XDG_STATE_HOME", c.value);
        const UserDirectories dirs = CurrentUserDirectories();
        EXPECT_EQ(dirs.data, c.data);
        EXPECT_EQ(dirs.config, c.config);
        EXPECT_EQ(dirs.state, c.state);
    }
}

TEST(UserDirs, WritableDirectoryAndTheReasonWhenNot) {
    QTemporaryDir dir;
    std::string reason;
    EXPECT_TRUE(DirectoryWritable(QFile::encodeName(dir.path()).toStdString(), &reason));
    EXPECT_FALSE(DirectoryWritable(QFile::encodeName(dir.filePath("missing")).toStdString(), &reason));
    EXPECT_EQ(reason, "No such file or directory");
}

TEST(UserDirs, ABuiltProgramIsStartedByItsExecutable) {
    // No installed command leads here from the build tree.
    EXPECT_EQ(StartCommand(), ExecutablePath());
}

}  // namespace
}  // namespace orbel::platform
