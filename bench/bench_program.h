#pragma once
// The real program started on a benchmark's store, offscreen, and the main
// that runs Qt-based benchmarks.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "app/services/notice.h"
#include "app/program/program.h"
#include "platform/platform.h"

namespace bench {

// The running system, for every program a benchmark makes.
inline orbel::platform::Platform& SystemPlatform() {
    static const std::unique_ptr<orbel::platform::Platform> platform = orbel::platform::MakeSystemPlatform();
    return *platform;
}

// Windows created and start-up run over programDir; boxes (the store has no
// sound files, so their log notices come up) are answered at once. With
// treeWhenShown the start is the program's own: the item manager's tree
// waits for the manager's first showing.
inline std::unique_ptr<orbel::Program> StartProgram(const std::string& programDir, bool treeWhenShown = false) {
    auto p = std::make_unique<orbel::Program>(SystemPlatform());
    p->notices().setPresenter([](const orbel::NoticeRequest&) { return orbel::answer::Ok; });
    p->setProgramDirectory(QString::fromStdString(programDir));
    p->setItemTreeWhenShown(treeWhenShown);
    p->createWindows();
    p->StartUp();
    return p;
}

// An offscreen application unless a platform was asked for, then the benchmarks.
inline int RunQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
