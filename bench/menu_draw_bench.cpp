// Opening the tray menu with the program's own drawing against the toolkit's
// drawing of the same menu: a top level of 40 entries, half with icons, one
// of them a folder of 200. One opening = building the popups, sizing every
// entry and painting the top level and the folder.
//
//   menu_draw_bench     run both (offscreen) and print program / toolkit

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "app/manager/form_items.h"
#include "app/program/program.h"
#include "bench_program.h"
#include "app/tray/live_menu.h"
#include "app/program/menu_drawing.h"

namespace {

constexpr int kTopEntries = 40;
constexpr int kFolderEntries = 200;

struct Bench {
    QTemporaryDir dir;
    std::unique_ptr<orbel::Program> program;
    const orbel::MenuEntry* folder = nullptr;

    Bench() {
        program = std::make_unique<orbel::Program>(bench::SystemPlatform());
        program->setProgramDirectory(dir.path());
        program->createWindows();
        program->StartUp();
        buildMenu();
    }

    // The menu as the loader would leave it, built directly so both runs
    // see exactly the same entries.
    void buildMenu() {
        using orbel::MenuEntry;
        orbel::ItemStore& s = program->store();
        s.liveMenu->clear();
        int item = 0;
        for (int i = 0; i < kTopEntries; ++i) {
            const int image = i % 2 == 0 ? 8 + i % 3 : -1;  // half of them with an icon
            if (i == kTopEntries / 2) {
                auto f = std::make_unique<MenuEntry>("Folder of many entries", 1, 0);
                f->add(std::make_unique<MenuEntry>("", orbel::tag::Hidden, -1, orbel::MenuHandler::None, false));
                for (int k = 0; k < kFolderEntries; ++k)
                    f->add(std::make_unique<MenuEntry>("Document number " + std::to_string(k), item++,
                                                       k % 2 == 0 ? 9 : -1, orbel::MenuHandler::NorItemsRTClickItem));
                folder = s.liveMenu->add(std::move(f));
                continue;
            }
            s.liveMenu->add(std::make_unique<MenuEntry>("Program entry " + std::to_string(i), item++, image,
                                                        orbel::MenuHandler::NorItemsRTClickItem));
        }
        orbel::CopyMenuEntries(*s.basicMenu, *s.liveMenu);
        program->items()->StoreLoaded();
    }

    void open() {
        orbel::LiveMenu* menu = program->items()->liveMenu();
        menu->invalidate();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        menu->realise();
        menu->resize(menu->sizeHint());
        benchmark::DoNotOptimize(menu->grab());
        orbel::LiveMenu* sub = menu->submenuFor(folder);
        sub->realise();
        sub->resize(sub->sizeHint());
        benchmark::DoNotOptimize(sub->grab());
    }
};

// Goes before the application object does.
std::unique_ptr<Bench> g_bench;

Bench& TheBench() {
    if (!g_bench) g_bench = std::make_unique<Bench>();
    return *g_bench;
}

void BM_OpenMenu_Toolkit(benchmark::State& state) {
    Bench& b = TheBench();
    orbel::ClearDrawHooks(*b.program->store().liveMenu);  // no handlers anywhere
    for (auto _ : state) b.open();
}
BENCHMARK(BM_OpenMenu_Toolkit)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenMenu_Program(benchmark::State& state) {
    Bench& b = TheBench();
    b.program->settings().WindowsDraw = false;
    orbel::RefreshKitMenu(b.program->store(), b.program->liveMenu());
    orbel::AttachDrawHooks(b.program->store(), b.program->settings().WindowsDraw);
    for (auto _ : state) b.open();
}
BENCHMARK(BM_OpenMenu_Program)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenMenu_WindowsDefault(benchmark::State& state) {
    Bench& b = TheBench();
    b.program->settings().WindowsDraw = true;
    orbel::RefreshKitMenu(b.program->store(), b.program->liveMenu());
    orbel::AttachDrawHooks(b.program->store(), b.program->settings().WindowsDraw);
    for (auto _ : state) b.open();
}
BENCHMARK(BM_OpenMenu_WindowsDefault)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each benchmark's processor time per opening for the ratio at the end
// (processor time: other work on the machine does not skew it).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> perIteration;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.iterations > 0) perIteration[r.run_name.function_name] = r.cpu_accumulated_time / r.iterations;
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto toolkit = reporter.perIteration.find("BM_OpenMenu_Toolkit");
    const auto own = reporter.perIteration.find("BM_OpenMenu_Program");
    int status = 0;
    if (toolkit != reporter.perIteration.end() && own != reporter.perIteration.end() && toolkit->second > 0) {
        const double ratio = own->second / toolkit->second;
        std::printf("program drawing / toolkit drawing = %.2f (limit 1.50)\n", ratio);
        status = ratio <= 1.5 ? 0 : 1;
    }
    g_bench.reset();
    benchmark::Shutdown();
    return status;
}
