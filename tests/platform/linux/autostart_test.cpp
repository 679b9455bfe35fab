#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

#include "core/links/desktop_entry.h"
#include "test_support.h"

namespace orbel::platform {
namespace {

using testing::ScopedEnv;
using testing::WriteFile;

class AutostartTest : public ::testing::Test {
protected:
    QString ReadEntry() {
        QFile file(QString::fromStdString(AutostartEntryPath()));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString EntryLine(const QString& key) {
        for (const QString& line : ReadEntry().split(QLatin1Char('\n'))) {
            if (line.startsWith(key + QLatin1Char('='))) return line.mid(key.size() + 1);
        }
        return QStringLiteral("<no %1>").arg(key);
    }

    QTemporaryDir config_;
    ScopedEnv env_{"XDG_CONFIG_HOME", QFile::encodeName(config_.path())};
};

TEST_F(AutostartTest, EntryIsNamedAfterTheProgramInTheAutostartDirectory) {
    EXPECT_EQ(QString::fromStdString(AutostartEntryPath()),
              config_.path() + QStringLiteral("/autostart/Tandrel-Orbel.desktop"));

    // Without a usable XDG_CONFIG_HOME the default below the home directory.
    QTemporaryDir home;
    ScopedEnv homeEnv("HOME", QFile::encodeName(home.path()));
    for (const std::optional<QByteArray>& value :
         {std::optional<QByteArray>(), std::optional<QByteArray>(""), std::optional<QByteArray>("relative/config")}) {
        ScopedEnv env("XDG_CONFIG_HOME", value);
        EXPECT_EQ(QString::fromStdString(AutostartEntryPath()),
                  home.path() + QStringLiteral("/.config/autostart/Tandrel-Orbel.desktop"));
    }
}

TEST_F(AutostartTest, OnWritesAnEntryOffRemovesIt) {
    EXPECT_FALSE(ReadAutostart());
    WriteAutostart(true, "/opt/orbel/orbel");
    EXPECT_TRUE(ReadAutostart());
    EXPECT_EQ(ReadEntry(), QStringLiteral("[Desktop Entry]\n"
                                          "Type=Application\n"
                                          "Name=Tandrel Orbel\n"
                                          "Exec=/opt/orbel/orbel\n"
                                          "X-GNOME-Autostart-enabled=true\n"));

    // A second write replaces the first whole and leaves no temporary file.
    WriteAutostart(true, "/usr/lib/orbel/orbel");
    EXPECT_EQ(EntryLine(QStringLiteral("Exec")), QStringLiteral("/usr/lib/orbel/orbel"));
    EXPECT_EQ(QDir(config_.filePath(QStringLiteral("autostart"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("Tandrel-Orbel.desktop")});

    WriteAutostart(false, "");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(AutostartEntryPath())));
    EXPECT_FALSE(ReadAutostart());
    EXPECT_NO_THROW(WriteAutostart(false, ""));
}

TEST_F(AutostartTest, ExecQuotesPathsThatNeedIt) {
    const struct {
        const char* path;
        const char* exec;  // as it stands in the file
    } cases[] = {
        {"/opt/orbel/orbel", "/opt/orbel/orbel"},
        {"/home/a b/orbel", "\"/home/a b/orbel\""},
        {"/home/My \"Apps\"/orbel", "\"/home/My \\\\\"Apps\\\\\"/orbel\""},
        {"/home/o'neil/orbel", "\"/home/o'neil/orbel\""},
        {"/x/$HOME/`id`/orbel", "\"/x/\\\\$HOME/\\\\`id\\\\`/orbel\""},
        {"/x/back\\slash", "\"/x/back\\\\\\\\slash\""},
        {"/x/100%/orbel", "/x/100%%/orbel"},
        {"/x/a&b;c", "\"/x/a&b;c\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        WriteAutostart(true, c.path);
        EXPECT_EQ(EntryLine(QStringLiteral("Exec")), QString::fromUtf8(c.exec));
    }
}

TEST_F(AutostartTest, ExecReadsBackAsTheSameProgram) {
    for (const char* path :
         {"/home/My \"Apps\"/or bel", "/tmp/$x `y` \\z/100%/orbel", "/tmp/tab\there/ü/orbel", "/tmp/plain/orbel"}) {
        SCOPED_TRACE(path);
        WriteAutostart(true, path);
        const auto link = ParseDesktopEntry(ReadEntry().toStdString());
        ASSERT_TRUE(link.has_value());
        EXPECT_EQ(link->program, path);
        EXPECT_TRUE(link->words.empty());
    }
}

TEST_F(AutostartTest, EntriesThatDoNotStartTheProgramReadAsOff) {
    const struct {
        const char* text;
        bool on;
    } cases[] = {
        {"[Desktop Entry]\nType=Application\nExec=/opt/orbel/orbel\n", true},
        {"# by hand\n[Desktop Entry]\nExec = /gone/orbel\n", true},
        {"[Desktop Entry]\nType=Application\nExec=\n", false},
        {"[Desktop Entry]\nType=Application\nExec=   \n", false},
        {"[Desktop Entry]\nType=Application\nName=Tandrel Orbel\n", false},
        {"[Desktop Entry]\nExec=/opt/orbel/orbel\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=/opt/orbel/orbel\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nName=x\n[Desktop Action a]\nExec=/opt/orbel/orbel\n", false},
        {"", false},
    };
    ASSERT_TRUE(QDir().mkpath(config_.filePath(QStringLiteral("autostart"))));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(WriteFile(QString::fromStdString(AutostartEntryPath()), c.text));
        EXPECT_EQ(ReadAutostart(), c.on);
    }
}

TEST_F(AutostartTest, UnwritableLocationThrowsWithTheEntryPath) {
    // A file where the configuration directory should be: nothing can be
    // created below it, whoever runs the test.
    const QString blocker = config_.filePath(QStringLiteral("not-a-dir"));
    ASSERT_TRUE(WriteFile(blocker, "x"));
    ScopedEnv env("XDG_CONFIG_HOME", QFile::encodeName(blocker));
    try {
        WriteAutostart(true, "/opt/orbel/orbel");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + AutostartEntryPath() + ": Not a directory");
    }
    EXPECT_THROW(WriteAutostart(true, ""), std::runtime_error);
}

}  // namespace
}  // namespace orbel::platform
