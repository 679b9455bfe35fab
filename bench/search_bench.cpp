// Finding by typing at 100,000 items, beside fzf (Debian's fzf, --filter)
// on the same captions.
//
//   search_bench                 the benchmarks: building the index, and
//                                typing each query letter by letter
//   search_bench --keystrokes [ROUNDS]
//                                every query typed ROUNDS times (20), each
//                                keystroke timed from the key to the shown
//                                rows (the best 50 with their folder hints);
//                                then fzf --filter on the captions for each
//                                whole query; median and 99th percentile
//   search_bench --ranks         the queries of the matcher's tests on the
//                                realistic menu: the meant item's place in
//                                our rows and in fzf's
// scripts/bench-search.sh runs the last two.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/search/search_index.h"
#include "tests/core/search/realistic_menu.h"

extern char** environ;

namespace {

using orbel::test::MenuBuilder;
using Clock = std::chrono::steady_clock;

constexpr int kItems = 100000;
constexpr std::size_t kShownRows = 50;

// Queries typed at the large menu: some that name one item, some that
// match thousands on the way.
const char* const kTyped[] = {"invoice march 2026", "vscode",         "lib wri", "beethoven symphony",
                              "tax return",         "img 2041",       "gimp",    "screenshot 2025",
                              "kasespatzle",        "zen terminal 12"};

// A fixed sequence of numbers (xorshift), the same on every system.
struct Numbers {
    std::uint64_t state = 0x9E3779B97F4A7C15u;
    std::uint32_t next(std::uint32_t below) {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<std::uint32_t>(state % below);
    }
    template <std::size_t N> const char* pick(const char* const (&list)[N]) {
        return list[next(static_cast<std::uint32_t>(N))];
    }
};

const char* const kTopics[] = {"Invoice",    "Report",  "Minutes", "Offer",     "Contract",  "Budget",
                               "Timesheet",  "Receipt", "Notes",   "Plan",      "Proposal",  "Statement",
                               "Tax Return", "Payslip", "Agenda",  "Quotation", "Checklist", "Summary"};
const char* const kExtensions[] = {"odt", "ods", "pdf", "docx", "xlsx", "txt", "md", "odp"};
const char* const kArtists[] = {"Beethoven", "Mozart",    "Bach",      "Miles Davis",     "Nina Simone", "Björk",
                                "Daft Punk", "Radiohead", "Sigur Rós", "Édith Piaf",      "Motörhead",   "Bowie",
                                "Coltrane",  "Schubert",  "Chopin",    "Aretha Franklin", "Kraftwerk",   "Portishead"};
const char* const kTitleWords[] = {"Symphony", "Blue",  "Night",    "Sonata", "Requiem",  "Dance",     "River",
                                   "Morning",  "Song",  "Concert",  "Live",   "Etude",    "Homogenic", "Discovery",
                                   "Prelude",  "Waltz", "Nocturne", "Heroes", "Autobahn", "Dummy"};
const char* const kVendors[] = {"Acme", "Nova", "Blue Fox", "Open", "Quantum", "Libre", "Pixel", "Orion", "Zen"};
const char* const kProducts[] = {"Studio",  "Writer",   "Viewer",  "Editor",   "Manager",   "Player", "Designer",
                                 "Browser", "Terminal", "Monitor", "Recorder", "Converter", "Office"};
const char* const kFolders[] = {"Office", "Archive", "Projects", "Media",  "Photos", "Music",  "Work",    "Home",
                                "Tools",  "Games",   "Clients",  "Family", "Travel", "School", "Finance", "Old"};

std::string Two(std::uint32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// 100,000 items in 1,000 folders two levels deep: documents, photos,
// music, programs and source files, as a large personal menu mixes them.
void MakeLargeMenu(MenuBuilder& b, int items = kItems) {
    Numbers r;
    int made = 0;
    for (int top = 0; made < items; ++top) {
        orbel::MenuEntry* folder = b.folder(nullptr, std::string(kFolders[top % 16]) + " " + std::to_string(top));
        for (int sub = 0; sub < 10 && made < items; ++sub) {
            orbel::MenuEntry* inner = b.folder(folder, std::string(r.pick(kFolders)) + " " + std::to_string(sub));
            for (int i = 0; i < 100 && made < items; ++i, ++made) {
                const std::uint32_t kind = r.next(100);
                const std::string year = std::to_string(2015 + r.next(12));
                std::string caption;
                if (kind < 30) {
                    caption = std::string(r.pick(kTopics)) + " " + r.pick(orbel::test::kMonths) + " " + year + "." +
                              r.pick(kExtensions);
                } else if (kind < 50) {
                    caption = r.next(2)
                                  ? "IMG_" + std::to_string(1000 + r.next(9000)) + ".jpg"
                                  : "Screenshot from " + year + "-" + Two(1 + r.next(12)) + "-" + Two(1 + r.next(28)) +
                                        " " + Two(r.next(24)) + "-" + Two(r.next(60)) + ".png";
                } else if (kind < 70) {
                    caption = std::string(r.pick(kArtists)) + " - " + r.pick(kTitleWords) + " " + r.pick(kTitleWords) +
                              " " + std::to_string(1 + r.next(20)) + ".flac";
                } else if (kind < 85) {
                    caption = std::string(r.pick(kVendors)) + " " + r.pick(kProducts) + " " +
                              std::to_string(1 + r.next(30));
                    std::string exe = caption;
                    std::replace(exe.begin(), exe.end(), ' ', '-');
                    std::transform(exe.begin(), exe.end(), exe.begin(),
                                   [](unsigned char c) { return std::tolower(c); });
                    b.program(inner, caption, "/opt/" + exe + "/bin/" + exe);
                    continue;
                } else {
                    caption = std::string(r.pick(kTitleWords)) + "_" + r.pick(kProducts) + "_" +
                              std::to_string(r.next(1000)) + (r.next(2) ? ".py" : ".cpp");
                }
                b.document(inner, caption, "/home/user/" + std::to_string(top) + "/" + caption);
            }
        }
    }
}

const MenuBuilder& LargeMenu() {
    static const MenuBuilder* menu = [] {
        auto* b = new MenuBuilder;
        MakeLargeMenu(*b);
        return b;
    }();
    return *menu;
}

const orbel::SearchIndex& LargeIndex() {
    static const orbel::SearchIndex* index = [] {
        auto* i = new orbel::SearchIndex;
        LargeMenu().buildIndex(*i);
        return i;
    }();
    return *index;
}

// The captions, one a line, as fzf reads them.
std::vector<std::string> CaptionsOf(const orbel::SearchIndex& index) {
    std::vector<std::string> out;
    out.reserve(index.size());
    for (const auto& e : index.entries()) out.emplace_back(index.caption(e));
    return out;
}

std::string WriteLines(const std::vector<std::string>& lines, const char* name) {
    const std::string file = "/tmp/orbel-search-bench-" + std::to_string(getpid()) + "-" + name;
    std::FILE* f = std::fopen(file.c_str(), "wb");
    for (const std::string& l : lines) std::fprintf(f, "%s\n", l.c_str());
    std::fclose(f);
    return file;
}

// fzf --filter query < input: its lines, best first, and the time from its
// start to its end in milliseconds.
std::vector<std::string> RunFzf(const std::string& query, const std::string& input, double* ms) {
    int out[2];
    if (pipe(out) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string q = query;
    char fzf[] = "fzf";
    char filter[] = "--filter";
    char* argv[] = {fzf, filter, q.data(), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "fzf", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[65536];
    for (ssize_t n; spawned == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    if (spawned == 0) waitpid(pid, &status, 0);
    if (ms) *ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (spawned != 0) {
        std::fprintf(stderr, "fzf could not be started (scripts/deps.sh bench installs it)\n");
        std::exit(1);
    }
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t eol = text.find('\n', at);
        lines.push_back(text.substr(at, eol - at));
        at = eol == std::string::npos ? text.size() : eol + 1;
    }
    return lines;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t i = std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5));
    return v[i];
}

int Keystrokes(int rounds) {
    const auto built = Clock::now();
    const orbel::SearchIndex& index = LargeIndex();
    const double buildMs = std::chrono::duration<double, std::milli>(Clock::now() - built).count();
    std::printf("index of %zu items, %.1f MB, built in %.1f ms (menu generated first)\n", index.size(),
                static_cast<double>(index.bytes()) / 1e6, buildMs);

    std::vector<double> all;
    std::printf("%-22s %9s %9s %9s %9s %8s\n", "query", "median", "p99", "worst", "whole", "matches");
    std::vector<double> whole;
    for (const char* query : kTyped) {
        const std::string text = query;
        std::vector<double> times;
        std::vector<double> fresh;
        std::size_t matches = 0;
        for (int round = 0; round < rounds; ++round) {
            orbel::Finder finder(index);
            for (std::size_t n = 1; n <= text.size(); ++n) {
                const auto start = Clock::now();
                const auto& rows = finder.find(text.substr(0, n), kShownRows);
                benchmark::DoNotOptimize(rows.data());
                times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            }
            matches = finder.matchCount();
            // The whole query at once, as fzf gets it.
            orbel::Finder once(index);
            const auto start = Clock::now();
            benchmark::DoNotOptimize(once.find(text, kShownRows).data());
            fresh.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        std::printf("%-22s %6.2f ms %6.2f ms %6.2f ms %6.2f ms %8zu\n", query, Percentile(times, 0.5),
                    Percentile(times, 0.99), Percentile(times, 1.0), Percentile(fresh, 0.5), matches);
        all.insert(all.end(), times.begin(), times.end());
        whole.push_back(Percentile(fresh, 0.5));
    }

    const std::string captions = WriteLines(CaptionsOf(index), "captions");
    std::vector<double> fzfTimes;
    std::printf("\n%-22s %12s %10s\n", "fzf --filter", "median", "matches");
    for (const char* query : kTyped) {
        std::vector<double> t;
        std::size_t matches = 0;
        for (int round = 0; round < std::max(3, rounds / 4); ++round) {
            double ms = 0;
            matches = RunFzf(query, captions, &ms).size();
            t.push_back(ms);
        }
        std::printf("%-22s %9.2f ms %10zu\n", query, Percentile(t, 0.5), matches);
        fzfTimes.push_back(Percentile(t, 0.5));
    }
    std::remove(captions.c_str());
    std::printf("\nwhole query at once, median over the queries: ours %.2f ms, fzf --filter %.2f ms\n",
                Percentile(whole, 0.5), Percentile(fzfTimes, 0.5));
    std::printf("keystrokes timed: %zu\n", all.size());
    std::printf("search at %d items: median %.2f ms, p99 %.2f ms per keystroke; fzf --filter: %.2f ms\n", kItems,
                Percentile(all, 0.5), Percentile(all, 0.99), Percentile(fzfTimes, 0.5));
    return 0;
}

// The meant item's place (1 = first, 0 = not in the first 1,000).
int PlaceIn(const std::vector<std::string>& captions, const std::string& meant) {
    for (std::size_t i = 0; i < captions.size() && i < 1000; ++i)
        if (captions[i] == meant) return static_cast<int>(i) + 1;
    return 0;
}

int Ranks() {
    MenuBuilder menu;
    orbel::test::MakeRealisticMenu(menu);
    orbel::SearchIndex index;
    menu.buildIndex(index);
    // fzf twice: on the captions alone (what a list of names gives it), and
    // with the texts we match as well after a tab (file name, launcher texts).
    std::vector<std::string> withTexts;
    const auto reader = menu.reader();
    for (const auto& e : index.entries()) {
        std::string line(index.caption(e));
        const std::string path = menu.table().pathOf(e.itemNumber);
        line += '\t';
        line += path.substr(path.find_last_of('/') + 1);
        if (const auto d = reader(path)) {
            line += ' ' + d->name + ' ' + d->genericName;
            for (const std::string& k : d->keywords) line += ' ' + k;
        }
        withTexts.push_back(line);
    }
    const std::string captions = WriteLines(CaptionsOf(index), "realistic");
    const std::string texts = WriteLines(withTexts, "realistic-texts");
    std::printf("%zu items; the meant item's place (0: not found)\n", index.size());
    std::printf("%-22s %-30s %5s %11s %15s\n", "query", "meant", "ours", "fzf caption", "fzf with texts");
    int ours1 = 0, ours3 = 0, fzf1 = 0, fzf3 = 0, texts1 = 0, texts3 = 0, ahead = 0, behind = 0;
    int cases = 0;
    for (const orbel::test::RankCase& c : orbel::test::kRankCases) {
        ++cases;
        orbel::Finder finder(index);
        std::vector<std::string> ours;
        for (const auto& row : finder.find(c.query, 1000)) ours.push_back(row.caption);
        std::vector<std::string> byTexts = RunFzf(c.query, texts, nullptr);
        for (std::string& l : byTexts) l = l.substr(0, l.find('\t'));
        const int a = PlaceIn(ours, c.meant);
        const int f = PlaceIn(RunFzf(c.query, captions, nullptr), c.meant);
        const int t = PlaceIn(byTexts, c.meant);
        const auto within = [](int place, int n) { return place >= 1 && place <= n; };
        ours1 += within(a, 1), ours3 += within(a, 3);
        fzf1 += within(f, 1), fzf3 += within(f, 3);
        texts1 += within(t, 1), texts3 += within(t, 3);
        const int best = std::min(f == 0 ? 9999 : f, t == 0 ? 9999 : t);
        const int mine = a == 0 ? 9999 : a;
        ahead += mine < best;
        behind += mine > best;
        std::printf("%-22s %-30.30s %5d %11d %15d%s\n", c.query, c.meant, a, f, t, mine > best ? "  behind" : "");
    }
    std::remove(captions.c_str());
    std::remove(texts.c_str());
    std::printf("\nfirst: ours %d of %d, fzf %d (captions) / %d (with texts)\n", ours1, cases, fzf1, texts1);
    std::printf("in the first three: ours %d of %d, fzf %d / %d\n", ours3, cases, fzf3, texts3);
    std::printf("ours ahead of both fzf runs in %d queries, behind the better one in %d\n", ahead, behind);
    return 0;
}

// The first use of the find builds the index (the first key typed, the find
// window's first showing).
void BM_BuildIndex(benchmark::State& state) {
    MenuBuilder small;
    if (state.range(0) != kItems) MakeLargeMenu(small, static_cast<int>(state.range(0)));
    const MenuBuilder& menu = state.range(0) == kItems ? LargeMenu() : small;
    for (auto _ : state) {
        orbel::SearchIndex index;
        menu.buildIndex(index);
        benchmark::DoNotOptimize(index.size());
    }
    state.counters["items"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_BuildIndex)->Arg(10000)->Arg(kItems)->Unit(benchmark::kMillisecond);

// One query typed letter by letter, from the first key to the last.
void BM_TypeQuery(benchmark::State& state) {
    const orbel::SearchIndex& index = LargeIndex();
    const std::string text = kTyped[state.range(0)];
    for (auto _ : state) {
        orbel::Finder finder(index);
        for (std::size_t n = 1; n <= text.size(); ++n) benchmark::DoNotOptimize(finder.find(text.substr(0, n)).data());
    }
    state.SetLabel(text);
    state.counters["keys"] = static_cast<double>(text.size());
}
BENCHMARK(BM_TypeQuery)->DenseRange(0, static_cast<int>(std::size(kTyped)) - 1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--keystrokes") == 0) return Keystrokes(argc >= 3 ? std::atoi(argv[2]) : 20);
    if (argc >= 2 && std::strcmp(argv[1], "--ranks") == 0) return Ranks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
