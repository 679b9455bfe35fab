#pragma once
// A program with its windows over a temporary program directory, whose
// message boxes are answered by the test, whose timers run on a clock the
// test moves and whose calls to the system go to a fake platform (sounds
// recorded rather than played, any call made to fail).

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QMenu>
#include <QVector>
#include <functional>
#include <memory>

#include "app/services/notice.h"
#include "app/program/program.h"
#include "support/fake_platform.h"
#include "support/manual_clock.h"

namespace orbel::testing {

class TestProgram {
public:
    // Portable: the temporary directory is the program directory and keeps
    // everything. Installed: the program directory "prog/" cannot take the
    // user's files, which go below "data/", "config/" and "state/".
    enum class Layout { Portable, Installed };
    explicit TestProgram(Layout layout = Layout::Portable);
    ~TestProgram();

    QString dir() const { return dir_.path() + "/"; }
    // Writes bytes to a file below the program directory, making folders.
    void write(const QString& relative, const QByteArray& bytes);
    // An executable "record" that writes its arguments, one a line, into
    // args.txt; gives its full path.
    QString writeRecorder();
    void mkdir(const QString& relative);
    bool exists(const QString& relative) const { return QFileInfo::exists(dir() + relative); }

    Program& program() { return *program_; }
    void startUp() { program_->StartUp(); }

    QVector<NoticeRequest> notices;
    // Made before the program and let go after it.
    FakePlatform platform;
    ManualClock clock;
    // Answer for question boxes (plain boxes always answer OK).
    int questionAnswer = answer::Cancel;

private:
    QTemporaryDir dir_;
    std::unique_ptr<Program> program_;
};

// Captions of the visible entries of a menu, separators as "-".
QStringList VisibleCaptions(QMenu* menu);
// The first entry of a menu with this caption; nullptr when there is none.
QAction* ActionOf(QMenu* menu, const QString& caption);

// The name a screen reader gives the control.
QString SpokenName(QWidget* w);

}  // namespace orbel::testing
