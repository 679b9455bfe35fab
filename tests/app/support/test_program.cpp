#include "support/test_program.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>

namespace orbel::testing {

TestProgram::TestProgram(Layout layout) {
    program_ = std::make_unique<Program>(platform);
    program_->notices().setPresenter([this](const NoticeRequest& r) {
        notices.push_back(r);
        return r.kind == NoticeKind::Plain ? answer::Ok : questionAnswer;
    });
    if (layout == Layout::Portable) {
        program_->setProgramDirectory(dir_.path());
    } else {
        const std::string d = dir().toStdString();
        program_->setFilePlaces(DecideFilePlaces(d + "prog/", false, {d + "data", d + "config", d + "state"}));
    }
    program_->setClock(clock);
    program_->createWindows();
}

TestProgram::~TestProgram() = default;

void TestProgram::write(const QString& relative, const QByteArray& bytes) {
    const QString path = dir() + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
}

QString TestProgram::writeRecorder() {
    const QString script = dir() + "record";
    write("record", ("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + dir() + "args.txt'\n").toUtf8());
    QFile(script).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return script;
}

void TestProgram::mkdir(const QString& relative) { QDir().mkpath(dir() + relative); }

QStringList VisibleCaptions(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        if (!a->isVisible()) continue;
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return out;
}

QAction* ActionOf(QMenu* menu, const QString& caption) {
    for (QAction* a : menu->actions())
        if (a->text() == caption) return a;
    return nullptr;
}

QString SpokenName(QWidget* w) {
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(QAccessible::Name) : QString();
}

}  // namespace orbel::testing
