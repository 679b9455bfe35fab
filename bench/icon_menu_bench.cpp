// Opening a menu level of 100 desktop entries whose icons come from the
// icon theme, on a 2x screen: the first opening (icons looked up, the
// theme's index read, the pictures drawn) and the openings after it. The
// theme is the benchmark's own, a few scalable icons written into the build
// folder, and the desktop entries are real files read the program's way.
//
//   icon_menu_bench     run (offscreen, QT_SCALE_FACTOR=2) and print the
//                       figures beside their limits: first <= 30 ms,
//                       after <= 5 ms

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QPixmapCache>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "app/manager/form_items.h"
#include "app/program/menu_drawing.h"
#include "app/program/program.h"
#include "bench_program.h"
#include "app/images/image_lists.h"
#include "app/tray/live_menu.h"

namespace {

constexpr int kEntries = 100;
constexpr int kThemeIcons = 10;

QString ThemeDir() { return QCoreApplication::applicationDirPath() + "/icon-bench-theme"; }

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) std::abort();
    f.write(bytes);
}

// A hicolor-like theme of a few scalable icons, each a small drawing.
void MakeTheme() {
    const QString root = ThemeDir() + "/icons/hicolor";
    QDir().mkpath(root + "/scalable/apps");
    Write(root + "/index.theme",
          "[Icon Theme]\nName=Hicolor\nDirectories=scalable/apps\n\n"
          "[scalable/apps]\nSize=48\nMinSize=1\nMaxSize=512\nType=Scalable\nContext=Applications\n");
    for (int i = 0; i < kThemeIcons; ++i) {
        const QByteArray hue = QByteArray::number(i * 36);
        Write(root + "/scalable/apps/orbel-bench-" + QByteArray::number(i) + ".svg",
              "<svg xmlns='http://www.w3.org/2000/svg' width='48' height='48' viewBox='0 0 48 48'>"
              "<rect x='4' y='4' width='40' height='40' rx='8' fill='hsl(" +
                  hue +
                  ",70%,45%)'/><circle cx='24' cy='24' r='12' fill='#fff'/>"
                  "<path d='M16 24h16M24 16v16' stroke='#333' stroke-width='3'/></svg>");
    }
}

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

    // A folder of 100 items, each a desktop entry naming a theme icon, as
    // the loader leaves them: a path and the stored picture of ".desktop".
    void buildMenu() {
        using orbel::MenuEntry;
        orbel::ItemStore& s = program->store();
        s.liveMenu->clear();
        s.table.clear();
        QDir().mkpath(dir.filePath("entries"));
        auto f = std::make_unique<MenuEntry>("Applications", 1, 0);
        f->add(std::make_unique<MenuEntry>("", orbel::tag::Hidden, -1, orbel::MenuHandler::None, false));
        for (int k = 0; k < kEntries; ++k) {
            const QString file = dir.filePath(QString("entries/app-%1.desktop").arg(k));
            Write(file, "[Desktop Entry]\nType=Application\nName=Application " + QByteArray::number(k) +
                            "\nExec=true\nIcon=orbel-bench-" + QByteArray::number(k % kThemeIcons) + "\n");
            orbel::AppendString(s.table.paths, file.toStdString());
            f->add(std::make_unique<MenuEntry>("Application " + std::to_string(k), k, orbel::img::NoExtension,
                                               orbel::MenuHandler::NorItemsRTClickItem));
        }
        folder = s.liveMenu->add(std::move(f));
        orbel::CopyMenuEntries(*s.basicMenu, *s.liveMenu);
        program->items()->StoreLoaded();
    }

    orbel::LiveMenu* level() {
        orbel::LiveMenu* menu = program->items()->liveMenu();
        menu->realise();
        return menu->submenuFor(folder);
    }

    void show(orbel::LiveMenu* sub) {
        sub->realise();
        sub->resize(sub->sizeHint());
        benchmark::DoNotOptimize(sub->grab());
    }

    // Everything a first opening finds: no icon looked up or drawn yet, the
    // theme not read, the level not built.
    void forget() {
        program->items()->liveMenu()->invalidate();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        program->images()->dropCache();
        QPixmapCache::clear();
        QIcon::setThemeSearchPaths({ThemeDir() + "/icons"});
        QIcon::setThemeName("hicolor");
    }

    void setMode(bool windowsDraw) {
        program->settings().WindowsDraw = windowsDraw;
        orbel::RefreshKitMenu(program->store(), program->liveMenu());
        orbel::AttachDrawHooks(program->store(), program->settings().WindowsDraw);
    }
};

std::unique_ptr<Bench> g_bench;

Bench& TheBench() {
    if (!g_bench) g_bench = std::make_unique<Bench>();
    return *g_bench;
}

void FirstOpen(benchmark::State& state, bool windowsDraw) {
    Bench& b = TheBench();
    b.setMode(windowsDraw);
    for (auto _ : state) {
        state.PauseTiming();
        b.forget();
        state.ResumeTiming();
        b.show(b.level());
    }
}

void Reopen(benchmark::State& state, bool windowsDraw) {
    Bench& b = TheBench();
    b.setMode(windowsDraw);
    b.forget();
    orbel::LiveMenu* sub = b.level();
    b.show(sub);
    for (auto _ : state) b.show(sub);
}

void BM_IconLevel_First_Program(benchmark::State& s) { FirstOpen(s, false); }
void BM_IconLevel_After_Program(benchmark::State& s) { Reopen(s, false); }
void BM_IconLevel_First_Toolkit(benchmark::State& s) { FirstOpen(s, true); }
void BM_IconLevel_After_Toolkit(benchmark::State& s) { Reopen(s, true); }
BENCHMARK(BM_IconLevel_First_Program)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_IconLevel_After_Program)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_IconLevel_First_Toolkit)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_IconLevel_After_Toolkit)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each benchmark's processor time per opening for the summary.
class LimitReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> perIterationMs;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.iterations > 0)
                perIterationMs[r.run_name.function_name] = r.cpu_accumulated_time / r.iterations * 1000.0;
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    MakeTheme();
    QIcon::setThemeSearchPaths({ThemeDir() + "/icons"});
    QIcon::setThemeName("hicolor");
    // Measuring a menu of stored pictures would say nothing.
    if (TheBench().program->images()->desktopIcon(0).themeName != "orbel-bench-0") {
        std::fprintf(stderr, "the entries' icons do not come from the benchmark's theme\n");
        return 2;
    }
    benchmark::Initialize(&argc, argv);
    LimitReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    int status = 0;
    for (const auto& [name, ms] : reporter.perIterationMs) {
        const double limit = name.find("_First_") != std::string::npos ? 30.0 : 5.0;
        std::printf("%s: %.2f ms (limit %.0f ms)\n", name.c_str(), ms, limit);
        if (ms > limit) status = 1;
    }
    g_bench.reset();
    benchmark::Shutdown();
    return status;
}
