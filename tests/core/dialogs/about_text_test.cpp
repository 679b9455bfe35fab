#include "core/dialogs/about_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace orbel {
namespace {

constexpr std::uint64_t K = 1024, kMax = std::numeric_limits<std::uint64_t>::max();

TEST(AboutText, ParsesMeminfo) {
    const std::tuple<const char*, std::uint64_t, std::uint64_t> good[] = {
        {"MemTotal:  16314172 kB\nMemFree: 1 kB\nMemAvailable: 9000000 kB\nHugePages_Total: 0\n", 16314172 * K,
         9000000 * K},
        {"MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 20 kB\nCached: 30 kB\n", 1000 * K, 150 * K},
        {"MemAvailable:\t5000 kB\r\nMemTotal:\t1000 kB\r\n", 1000 * K, 1000 * K},  // never above total
        {"MemTotal: 67108864 kB\nMemAvailable: 4194305 kB\n", 67108864 * K, 4194305 * K},
    };
    for (const auto& [text, total, available] : good) {
        std::uint64_t t = 0, a = 0;
        ASSERT_TRUE(ParseMemInfo(text, t, a)) << text;
        EXPECT_EQ(t, total);
        EXPECT_EQ(a, available);
    }
    for (const char* bad : {"MemAvailable: 100 kB\n", "MemTotal: 0 kB\nMemFree: 0 kB\n", "MemTotal: 1000 kB\n",
                            "MemTotal: lots kB\nMemFree: 1 kB\n", "MemTotal: 1000\nMemFree: 1 kB\n",
                            "MemTotal: 18014398509481985 kB\nMemFree: 1 kB\n", ""}) {
        std::uint64_t t = 7, a = 7;
        EXPECT_FALSE(ParseMemInfo(bad, t, a)) << bad;
    }
}

TEST(AboutText, LoadAndText) {
    const std::tuple<std::uint64_t, std::uint64_t, int> loads[] = {
        {100, 55, 45},
        {3, 1, 67},
        {200, 1, 100},
        {1000, 996, 0},
        {100, 500, 0},
        {0, 0, 0},
        {std::uint64_t{1} << 62, std::uint64_t{1} << 61, 50},
        {kMax, 0, 100},
    };
    for (const auto& [total, available, load] : loads)
        EXPECT_EQ(MemoryLoadPercent(total, available), load) << total << " " << available;

    const std::tuple<std::uint64_t, char, const char*> texts[] = {
        {536870912, ',', "524,288"},
        {std::uint64_t{8} << 30, ',', "8,388,608"},
        {std::uint64_t{5} << 30, '.', "5.242.880"},
        {999 * K, ',', "999"},
        {1536, ',', "2"},
        {1535, ',', "1"},
        {0, ',', "0"},
        {123456789 * K, '\0', "123456789"},
        {kMax, ',', "18,014,398,509,481,984"},
    };
    for (const auto& [total, separator, kb] : texts)
        EXPECT_EQ(FormatMemoryText(45, total, separator), std::string("45% used of the total memory at ") + kb + " KB");
}

}  // namespace
}  // namespace orbel
