#include "platform/opener.h"

#include "platform/linux/open_route.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/linux/desktop_exec.h"
#include "test_support.h"

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace orbel::platform {
namespace {

using testing::kExecutable;
using testing::WaitFor;
using testing::WriteFile;

// A program that records its working directory and its arguments, each
// ended by a NUL, so that words with spaces or newlines stay whole. It ends
// with a failure status, which a start does not wait for.
class OpenerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        record_ = dir_.filePath(QStringLiteral("record"));
        script_ = dir_.filePath(QStringLiteral("re cord's.sh"));
        const QByteArray body =
            "#!/bin/sh\n"
            "PATH=/usr/bin:/bin\n"
            "out='" +
            QFile::encodeName(record_) +
            "'\n"
            "{ printf '%s\\0' \"$PWD\"\n"
            "  for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > \"$out.tmp\"\n"
            "mv \"$out.tmp\" \"$out\"\n"
            "exit 3\n";
        ASSERT_TRUE(WriteFile(script_, body, kExecutable));
    }

    QString Exec(const QStringList& words) { return ExecValue(words); }

    // The recorded words: the working directory first, then the arguments.
    QStringList Recorded() {
        if (!WaitFor([&] { return QFile::exists(record_); })) return {QStringLiteral("<program did not run>")};
        QFile file(record_);
        if (!file.open(QIODevice::ReadOnly)) return {QStringLiteral("<unreadable>")};
        QStringList words = QString::fromUtf8(file.readAll()).split(QChar(0));
        words.removeLast();  // after the last NUL
        QFile::remove(record_);
        return words;
    }

    QTemporaryDir dir_;
    QString record_;
    QString script_;
};

TEST_F(OpenerTest, ProgramReceivesTheParameterWordsExactly) {
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
        {"\"\" x", {"", "x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters);
        ASSERT_TRUE(OpenPath(script_.toStdString(), c.parameters, ShowMode::Default));
        QStringList expected = {QDir::currentPath()};
        expected << c.words;
        EXPECT_EQ(Recorded(), expected);
    }
}

TEST_F(OpenerTest, DesktopEntryStartsAsTheDesktopStartsIt) {
    // Path= is the working directory; %i %c %k are filled in; the parameter
    // words are the files it is given.
    const QString entry = dir_.filePath(QStringLiteral("launcher.desktop"));
    const QString work = dir_.filePath(QStringLiteral("work"));
    ASSERT_TRUE(QDir().mkpath(work));
    ASSERT_TRUE(WriteFile(entry, "[Desktop Entry]\nType=Application\nName=Recorder\nIcon=rec\nPath=" + work.toUtf8() +
                                     "\nExec=" + Exec({script_, "first", "second word", ""}).toUtf8() +
                                     " %i %c %k %F\n"));
    EXPECT_EQ(RouteFor(entry.toStdString()), OpenRoute::DesktopEntry);
    const QStringList words = {work, "first", "second word", "", "--icon", "rec", "Recorder", entry};
    ASSERT_TRUE(OpenPath(entry.toStdString(), "", ShowMode::Normal));
    EXPECT_EQ(Recorded(), words);
    ASSERT_TRUE(OpenPath(entry.toStdString(), "\"my notes.txt\"", ShowMode::Normal));
    EXPECT_EQ(Recorded(), words + QStringList{QDir::current().filePath("my notes.txt")});
}

TEST_F(OpenerTest, RoutesByWhatThePathIs) {
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
        EXPECT_EQ(RouteFor(c.path.toStdString()), c.route);
    }
}

TEST_F(OpenerTest, StartsThatCannotHappenFail) {
    // A Windows program without anything to run it, a missing file, and a
    // desktop entry that names no application.
    const QString exe = dir_.filePath(QStringLiteral("tool.exe"));
    const QString link = dir_.filePath(QStringLiteral("link.desktop"));
    const QString broken = dir_.filePath(QStringLiteral("broken.desktop"));
    ASSERT_TRUE(WriteFile(exe, QByteArray("MZ\x90\0\3\0\0\0", 8)));
    ASSERT_TRUE(WriteFile(link, "[Desktop Entry]\nType=Link\nURL=https://example.org/\n"));
    ASSERT_TRUE(WriteFile(broken,
                          "[Desktop Entry]\nType=Application\n"
                          "Exec=/nonexistent/orbel-test-program\n"));
    for (const QString& path : {exe, link, broken, dir_.filePath(QStringLiteral("gone.txt"))}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(OpenPath(path.toStdString(), "x", ShowMode::Default));
    }
}

// A desktop of its own for a child that opens: only the applications, the
// terminal and the bus services a case provides. GIO reads them once per
// process, so each case runs in a child.
class DesktopTest : public OpenerTest {
protected:
    void SetUp() override {
        OpenerTest::SetUp();
        for (const char* folder : {"data", "config", "config-dirs", "no-terminal", "work"})
            ASSERT_TRUE(QDir().mkpath(Path(folder)));
        // Two made-up types: one whose handler runs, one whose handler's
        // program is missing.
        ASSERT_TRUE(QDir().mkpath(Path("home/mime")) && QDir().mkpath(Path("home/applications")));
        ASSERT_TRUE(WriteFile(Path("home/mime/globs2"),
                              "50:application/x-orbel-test:*.orbeltest\n"
                              "50:application/x-orbel-gone:*.orbelgone\n"));
        Application("home/applications/orbel-record.desktop",
                    Exec({script_}) + " %f\nMimeType=application/x-orbel-test;");
        Application("home/applications/orbel-gone.desktop",
                    "/nonexistent/handler %f\nMimeType=application/x-orbel-gone;");
        ASSERT_TRUE(WriteFile(Path("config/mimeapps.list"),
                              "[Default Applications]\n"
                              "application/x-orbel-test=orbel-record.desktop\n"
                              "application/x-orbel-gone=orbel-gone.desktop\n"));
        for (const char* file : {"notes.txt", "report.orbeltest", "report.orbelgone"})
            ASSERT_TRUE(WriteFile(Path(file), "text\n"));
        // A terminal program, as Debian names the user's choice.
        ASSERT_TRUE(QDir().mkpath(Path("terminal")));
        ASSERT_TRUE(QFile::link(script_, Path("terminal/x-terminal-emulator")));
        Application("vi.desktop",
                    Exec({script_, ""}) + " %i %c %k\nName=Vi M\nIcon=vim\nTerminal=true\nPath=" + Path("work"));
        // One D-Bus name the bus can start (by running the recorder), one
        // it cannot; run directly, either would leave "directly".
        ASSERT_TRUE(QDir().mkpath(Path("home/dbus-1/services")));
        ASSERT_TRUE(WriteFile(
            Path("home/dbus-1/services/org.example.OrbelStarts.service"),
            "[D-BUS Service]\nName=org.example.OrbelStarts\nExec=" + Exec({script_, "activated"}).toUtf8() + "\n"));
        for (const char* name : {"org.example.OrbelStarts.desktop", "org.example.OrbelNobody.desktop"})
            Application(name, Exec({script_, "directly"}) + "\nDBusActivatable=true");
    }

    QString Path(const QString& relative) { return dir_.filePath(relative); }

    void Application(const QString& relative, const QString& execAndMore) {
        ASSERT_TRUE(WriteFile(Path(relative),
                              "[Desktop Entry]\nType=Application\nName=Test\nExec=" + execAndMore.toUtf8() + "\n"));
    }

    // OpenPath(path) in a child on this desktop, with a session bus of its
    // own when asked; true when it opened.
    bool OpenInChild(const QString& path, bool terminal, bool bus) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_DIRS", Path("data"));
        env.insert("XDG_DATA_HOME", Path("home"));
        env.insert("XDG_CONFIG_HOME", Path("config"));
        env.insert("XDG_CONFIG_DIRS", Path("config-dirs"));
        // The system's folders may hold a terminal too.
        env.insert("PATH", terminal ? Path("terminal") + ":/usr/bin:/bin" : Path("no-terminal"));
        // Without an address and a display, GIO cannot start a bus itself.
        env.remove("DBUS_SESSION_BUS_ADDRESS");
        env.remove("DISPLAY");
        QString program = QCoreApplication::applicationFilePath();
        QStringList arguments = {"--open", path};
        if (bus) {
            // The bus ends with the child, so wait for what it started.
            arguments = QStringList{"--",
                                    "/bin/sh",
                                    "-c",
                                    "\"$0\" --open \"$1\" || exit 1; n=0; "
                                    "while [ ! -e \"$2\" ] && [ $n -lt 50 ]; do sleep 0.1; n=$((n+1)); done",
                                    program,
                                    path,
                                    record_};
            program = QStandardPaths::findExecutable("dbus-run-session");
        }
        QProcess child;
        child.setProcessEnvironment(env);
        child.start(program, arguments);
        if (!child.waitForFinished(30000)) return false;
        return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    }
};

TEST_F(DesktopTest, OpensWithTheDesktopsHandlersOrFails) {
    const QString cwd = QDir::currentPath();
    const struct {
        const char* what;
        QString path;
        bool terminal;
        bool bus;
        QStringList record;  // empty: fails and nothing runs
    } cases[] = {
        {"a document nobody handles", Path("notes.txt"), true, false, {}},
        {"a directory without a file manager", Path("work"), true, false, {}},
        {"a web address without a browser", "https://example.org/", true, false, {}},
        // Started counts, though the handler then exits with a failure.
        {"a document with a handler", Path("report.orbeltest"), true, false, {cwd, Path("report.orbeltest")}},
        {"a handler whose program is missing", Path("report.orbelgone"), true, false, {}},
        {"a terminal entry",
         Path("vi.desktop"),
         true,
         false,
         {Path("work"), "-e", script_, "", "--icon", "vim", "Vi M", Path("vi.desktop")}},
        {"a terminal entry without a terminal", Path("vi.desktop"), false, false, {}},
        {"an entry the bus starts", Path("org.example.OrbelStarts.desktop"), true, true, {cwd, "activated"}},
        {"an entry the bus cannot start", Path("org.example.OrbelNobody.desktop"), true, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(OpenInChild(c.path, c.terminal, c.bus), !c.record.isEmpty());
        if (c.record.isEmpty()) EXPECT_FALSE(QFile::exists(record_));
        else EXPECT_EQ(Recorded(), c.record);
        QFile::remove(record_);
    }
}

}  // namespace
}  // namespace orbel::platform
