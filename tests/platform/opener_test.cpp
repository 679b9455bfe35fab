#include "platform/opener.h"

#include "platform/linux/open_route.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "test_support.h"

namespace orbel::platform {
namespace {

using testing::kExecutable;
using testing::WaitFor;
using testing::WriteFile;

// A program that records its working directory and its arguments, each
// ended by a NUL, so that words with spaces or newlines stay whole.
class OpenerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        record_ = dir_.filePath(QStringLiteral("record"));
        script_ = dir_.filePath(QStringLiteral("re cord's.sh"));
        const QByteArray body = "#!/bin/sh\n"
                                "out='" + QFile::encodeName(record_) + "'\n"
                                "{ printf '%s\\0' \"$PWD\"\n"
                                "  for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > \"$out.tmp\"\n"
                                "mv \"$out.tmp\" \"$out\"\n";
        ASSERT_TRUE(WriteFile(script_, body, kExecutable));
    }

    // The recorded words: the working directory first, then the arguments.
    QStringList Recorded()
    {
        if (!WaitFor([&] { return QFile::exists(record_); }))
            return {QStringLiteral("<program did not run>")};
        QFile file(record_);
        if (!file.open(QIODevice::ReadOnly))
            return {QStringLiteral("<unreadable>")};
        QStringList words = QString::fromUtf8(file.readAll()).split(QChar(0));
        words.removeLast();  // after the last NUL
        QFile::remove(record_);
        return words;
    }

    QTemporaryDir dir_;
    QString record_;
    QString script_;
};

TEST_F(OpenerTest, ProgramReceivesTheParameterWordsExactly)
{
    struct Case {
        const char* parameters;
        QStringList words;
    };
    const Case cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"  two   words ", {"two", "words"}},
        {"\"with space\" plain", {"with space", "plain"}},
        {"\"a \"\"\"quoted\"\"\" word\"", {"a \"quoted\" word"}},
        {"it's", {"it's"}},
        {"$HOME * ~ `id` ;ls", {"$HOME", "*", "~", "`id`", ";ls"}},
        {"ümlaut", {"ümlaut"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters);
        ASSERT_TRUE(OpenPath(script_.toStdString(), c.parameters, ShowMode::Default));
        QStringList expected = {QDir::currentPath()};
        expected << c.words;
        EXPECT_EQ(Recorded(), expected);
    }
}

TEST_F(OpenerTest, DesktopEntryStartsItsProgramWithItsArguments)
{
    const QString entry = dir_.filePath(QStringLiteral("launcher.desktop"));
    const QByteArray text = "[Desktop Entry]\nType=Application\nName=Recorder\n"
                            "Exec=\"" + QFile::encodeName(script_) + "\" first \"second word\" %F\n";
    ASSERT_TRUE(WriteFile(entry, text));
    EXPECT_EQ(RouteFor(entry), OpenRoute::DesktopEntry);
    ASSERT_TRUE(OpenPath(entry.toStdString(), "", ShowMode::Normal));
    EXPECT_EQ(Recorded(), (QStringList{QDir::currentPath(), "first", "second word"}));
}

TEST_F(OpenerTest, RoutesByWhatThePathIs)
{
    const QString doc = dir_.filePath(QStringLiteral("notes.txt"));
    const QString looksLikeScript = dir_.filePath(QStringLiteral("not-executable.sh"));
    const QString executableText = dir_.filePath(QStringLiteral("flagged.txt"));
    const QString exe = dir_.filePath(QStringLiteral("SETUP.EXE"));
    const QString dirNamedExe = dir_.filePath(QStringLiteral("folder.exe"));
    const QString noApplication = dir_.filePath(QStringLiteral("link.desktop"));
    ASSERT_TRUE(WriteFile(doc, "plain text\n"));
    ASSERT_TRUE(WriteFile(looksLikeScript, "#!/bin/sh\n"));
    ASSERT_TRUE(WriteFile(executableText, "just text\n", kExecutable));
    ASSERT_TRUE(WriteFile(exe, "MZ\x90\0", kExecutable));
    ASSERT_TRUE(QDir().mkpath(dirNamedExe));
    ASSERT_TRUE(WriteFile(noApplication, "[Desktop Entry]\nType=Link\nURL=https://example.org/\n"));

    const struct {
        QString path;
        OpenRoute route;
    } cases[] = {
        {script_, OpenRoute::Program},
        {exe, OpenRoute::Program},
        {doc, OpenRoute::DefaultHandler},
        {looksLikeScript, OpenRoute::DefaultHandler},
        {executableText, OpenRoute::DefaultHandler},
        {dir_.path(), OpenRoute::DefaultHandler},
        {dirNamedExe, OpenRoute::DefaultHandler},
        {noApplication, OpenRoute::DesktopEntry},
        {dir_.filePath(QStringLiteral("gone.txt")), OpenRoute::Missing},
        {dir_.filePath(QStringLiteral("gone.exe")), OpenRoute::Missing},
        {QString(), OpenRoute::Missing},
        {QStringLiteral("https://example.org/help"), OpenRoute::WebAddress},
        {QStringLiteral("HTTP://example.org"), OpenRoute::WebAddress},
        {QStringLiteral("mailto:someone@example.org"), OpenRoute::WebAddress},
        // Not addresses the program hands out, and no such paths either.
        {QStringLiteral("javascript:alert(1)"), OpenRoute::Missing},
        {QStringLiteral("file:///etc/passwd"), OpenRoute::Missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(RouteFor(c.path), c.route);
    }
}

TEST_F(OpenerTest, StartsThatCannotHappenFail)
{
    // A Windows program without anything to run it, a missing file, and a
    // desktop entry that names no application.
    const QString exe = dir_.filePath(QStringLiteral("tool.exe"));
    const QString link = dir_.filePath(QStringLiteral("link.desktop"));
    const QString broken = dir_.filePath(QStringLiteral("broken.desktop"));
    ASSERT_TRUE(WriteFile(exe, QByteArray("MZ\x90\0\3\0\0\0", 8)));
    ASSERT_TRUE(WriteFile(link, "[Desktop Entry]\nType=Link\nURL=https://example.org/\n"));
    ASSERT_TRUE(WriteFile(broken, "[Desktop Entry]\nType=Application\n"
                                  "Exec=/nonexistent/orbel-test-program\n"));
    for (const QString& path : {exe, link, broken, dir_.filePath(QStringLiteral("gone.txt"))}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(OpenPath(path.toStdString(), "x", ShowMode::Default));
    }
}

}  // namespace
}  // namespace orbel::platform
