// The launch history file: what is written reads back, and a file that is
// not one is ignored, never half taken.

#include "core/search/launch_history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/core/store/store_test_support.h"

namespace orbel {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

TEST(LaunchHistory, SavedRecordsReadBack) {
    test::TempDir dir;
    const std::string file = dir.path() + "/launches.txt";
    LaunchHistory h;
    h.recordLaunch("/usr/bin/gimp", "", 100);
    h.recordLaunch("/usr/bin/gimp", "", 300);
    h.recordLaunch("/usr/bin/gimp", "", 200);  // a clock set back keeps the latest
    h.recordLaunch("/usr/bin/view", "--page 2", 50);
    // Every byte a path or parameters may hold on any system.
    h.recordLaunch("/home/u/a\tb\\c\nd\re.odt", "\"x\\\" y\t", 60);
    h.recordLaunch("C:\\Program Files\\App\\app.exe", "", 70);
    h.recordLaunch("/home/u/Résumé 写真.odt", "", 80);
    ASSERT_TRUE(h.save(file));

    LaunchHistory back;
    ASSERT_EQ(back.load(file), HistoryLoad::Loaded);
    EXPECT_EQ(back.size(), 5u);
    const struct {
        std::string path, parameters;
        std::uint32_t count;
        std::int64_t last;
    } expected[] = {
        {"/usr/bin/gimp", "", 3, 300},
        {"/usr/bin/view", "--page 2", 1, 50},
        {"/home/u/a\tb\\c\nd\re.odt", "\"x\\\" y\t", 1, 60},
        {"C:\\Program Files\\App\\app.exe", "", 1, 70},
        {"/home/u/Résumé 写真.odt", "", 1, 80},
    };
    for (const auto& e : expected) {
        const LaunchRecord* r = back.find(LaunchHistory::Key(e.path, e.parameters));
        ASSERT_NE(r, nullptr) << e.path;
        EXPECT_EQ(r->count, e.count) << e.path;
        EXPECT_EQ(r->last, e.last) << e.path;
    }
    EXPECT_EQ(back.find(LaunchHistory::Key("/usr/bin/view", "")), nullptr);
    EXPECT_EQ(back.text(), h.text());
    // One line per record below the first: tabs and line breaks were escaped.
    const std::string text = ReadAll(file);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
    EXPECT_EQ(text.rfind("Tandrel Orbel launches 1\n", 0), 0u);
}

TEST(LaunchHistory, MissingOrDamagedFilesAreIgnoredAndRewritten) {
    test::TempDir dir;
    const std::string file = dir.path() + "/launches.txt";
    LaunchHistory h;
    EXPECT_EQ(h.load(file), HistoryLoad::Missing);
    EXPECT_TRUE(h.empty());

    const std::string good = "Tandrel Orbel launches 1\n2 100 /usr/bin/gimp\t\n";
    const std::string damaged[] = {
        "",
        "Tandrel Orbel launches 2\n2 100 /usr/bin/gimp\t\n",
        "2 100 /usr/bin/gimp\t\n",
        "Tandrel Orbel launches 1\n2 100 /usr/bin/gimp\t",    // cut short
        "Tandrel Orbel launches 1\n2 100 /usr/bin/gimp\n",    // no parameters field
        "Tandrel Orbel launches 1\nx 100 /usr/bin/gimp\t\n",  // count
        "Tandrel Orbel launches 1\n0 100 /usr/bin/gimp\t\n",  // a record of nothing
        "Tandrel Orbel launches 1\n-1 100 /usr/bin/gimp\t\n",
        "Tandrel Orbel launches 1\n2 1e3 /usr/bin/gimp\t\n",  // time
        "Tandrel Orbel launches 1\n2 100\t\n",
        "Tandrel Orbel launches 1\n2 100 /a\\qb\t\n",  // an escape we never write
        "Tandrel Orbel launches 1\n2 100 /a\\\t\n",
        "Tandrel Orbel launches 1\n99999999999 100 /a\t\n",  // more than a count holds
        std::string("Tandrel Orbel launches 1\n2 100 /a\t\n\0\0\0\0", 39),
    };
    for (const std::string& text : damaged) {
        SCOPED_TRACE(text);
        WriteAll(file, good);
        ASSERT_EQ(h.load(file), HistoryLoad::Loaded);
        ASSERT_EQ(h.size(), 1u);
        WriteAll(file, text);
        EXPECT_EQ(h.load(file), HistoryLoad::Damaged);
        EXPECT_TRUE(h.empty());
        // The next launch writes a sound file over it.
        h.recordLaunch("/usr/bin/vim", "", 5);
        ASSERT_TRUE(h.save(file));
        LaunchHistory back;
        EXPECT_EQ(back.load(file), HistoryLoad::Loaded);
        EXPECT_EQ(back.size(), 1u);
        h.clear();
    }
    // A directory where the file should be: damaged, and saving fails
    // without leaving a temporary file behind.
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_EQ(h.load(file), HistoryLoad::Damaged);
    h.recordLaunch("/usr/bin/vim", "", 5);
    EXPECT_FALSE(h.save(file));
    std::size_t files = 0;
    for (const auto& e : fs::directory_iterator(dir.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 0u);
}

TEST(LaunchHistory, TheOldestGoWhenFull) {
    LaunchHistory h;
    for (std::size_t i = 0; i <= LaunchHistory::kMaxRecords; ++i)
        h.recordLaunch("/p/" + std::to_string(i), "", static_cast<std::int64_t>(1000 + i));
    EXPECT_EQ(h.size(), LaunchHistory::kMaxRecords);
    EXPECT_EQ(h.find(LaunchHistory::Key("/p/0", "")), nullptr);
    EXPECT_NE(h.find(LaunchHistory::Key("/p/1", "")), nullptr);
    EXPECT_NE(h.find(LaunchHistory::Key("/p/" + std::to_string(LaunchHistory::kMaxRecords), "")), nullptr);
}

TEST(LaunchHistory, WeightGrowsWithCountAndFadesWithAge) {
    constexpr std::int64_t kDay = 24 * 60 * 60;
    const std::int64_t now = 1'800'000'000;
    EXPECT_EQ(LaunchHistory::Weight({0, now}, now), 0);
    EXPECT_GT(LaunchHistory::Weight({2, now}, now), LaunchHistory::Weight({1, now}, now));
    EXPECT_GT(LaunchHistory::Weight({1, now}, now), LaunchHistory::Weight({1, now - 20 * kDay}, now));
    EXPECT_GT(LaunchHistory::Weight({1, now - 20 * kDay}, now), LaunchHistory::Weight({1, now - 200 * kDay}, now));
    EXPECT_GT(LaunchHistory::Weight({1, now - 200 * kDay}, now), 0);
    EXPECT_EQ(LaunchHistory::Weight({4'000'000'000u, now}, now), 65535);
}

}  // namespace
}  // namespace orbel
