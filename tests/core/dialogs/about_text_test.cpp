#include "core/dialogs/about_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace orbel {
namespace {

constexpr std::uint64_t kKiB = 1024;

TEST(AboutText, ParsesMeminfo)
{
    struct Case {
        const char* what;
        std::string text;
        std::optional<std::pair<std::uint64_t, std::uint64_t>> expected;
    };
    const Case cases[] = {
        {"current kernel",
         "MemTotal:       16314172 kB\nMemFree:         1234567 kB\nMemAvailable:    9000000 kB\n"
         "Buffers:          111111 kB\nCached:          2222222 kB\nHugePages_Total:       0\n",
         std::pair{16314172 * kKiB, 9000000 * kKiB}},
        {"old kernel without MemAvailable", "MemTotal: 1000 kB\nMemFree: 100 kB\nBuffers: 20 kB\nCached: 30 kB\n",
         std::pair{1000 * kKiB, 150 * kKiB}},
        {"only MemFree", "MemTotal: 1000 kB\nMemFree: 100 kB\n", std::pair{1000 * kKiB, 100 * kKiB}},
        {"more available than total", "MemTotal: 1000 kB\nMemAvailable: 5000 kB\n", std::pair{1000 * kKiB, 1000 * kKiB}},
        {"crlf and order", "MemAvailable:\t10 kB\r\nMemTotal:\t40 kB\r\n", std::pair{40 * kKiB, 10 * kKiB}},
        {"above 4 GiB", "MemTotal: 67108864 kB\nMemAvailable: 4194305 kB\n",
         std::pair{67108864 * kKiB, 4194305 * kKiB}},
        {"no MemTotal", "MemFree: 100 kB\nMemAvailable: 100 kB\n", std::nullopt},
        {"zero MemTotal", "MemTotal: 0 kB\nMemAvailable: 0 kB\n", std::nullopt},
        {"nothing available", "MemTotal: 1000 kB\n", std::nullopt},
        {"not a number", "MemTotal: lots kB\nMemAvailable: 1 kB\n", std::nullopt},
        {"no unit", "MemTotal: 1000\nMemAvailable: 1 kB\n", std::nullopt},
        {"overflow", "MemTotal: 99999999999999999999 kB\nMemAvailable: 1 kB\n", std::nullopt},
        {"too large for bytes", "MemTotal: 18014398509481985 kB\nMemAvailable: 1 kB\n", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const Case& c : cases) {
        std::uint64_t total = 7, available = 7;
        const bool ok = ParseMemInfo(c.text, total, available);
        ASSERT_EQ(ok, c.expected.has_value()) << c.what;
        if (ok) {
            EXPECT_EQ(total, c.expected->first) << c.what;
            EXPECT_EQ(available, c.expected->second) << c.what;
        }
    }
}

TEST(AboutText, LoadIsTheRoundedShareInUse)
{
    struct Case {
        std::uint64_t total, available;
        int load;
    };
    const Case cases[] = {
        {100, 55, 45}, {3, 2, 33},  {3, 1, 67},   {200, 1, 100}, {1000, 995, 1}, {1000, 996, 0},
        {100, 100, 0}, {100, 0, 100}, {100, 500, 0}, {0, 0, 0},
        {std::uint64_t{1} << 62, std::uint64_t{1} << 61, 50},
        {std::numeric_limits<std::uint64_t>::max(), 0, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MemoryLoadPercent(c.total, c.available), c.load) << c.total << " " << c.available;
}

TEST(AboutText, MemoryTextGroupsRoundedKilobytes)
{
    struct Case {
        int load;
        std::uint64_t total;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        {45, 536870912, ',', "45% used of the total memory at 524,288 KB"},
        {7, std::uint64_t{8} << 30, ',', "7% used of the total memory at 8,388,608 KB"},
        {100, std::uint64_t{5} << 30, '.', "100% used of the total memory at 5.242.880 KB"},
        {0, 1000 * kKiB, ',', "0% used of the total memory at 1,000 KB"},
        {0, 999 * kKiB, ',', "0% used of the total memory at 999 KB"},
        {1, 1536, ',', "1% used of the total memory at 2 KB"},
        {1, 1535, ',', "1% used of the total memory at 1 KB"},
        {1, 511, ',', "1% used of the total memory at 0 KB"},
        {1, 0, ',', "1% used of the total memory at 0 KB"},
        {12, 123456789 * kKiB, '\0', "12% used of the total memory at 123456789 KB"},
        {99, std::numeric_limits<std::uint64_t>::max(), ',',
         "99% used of the total memory at 18,014,398,509,481,984 KB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatMemoryText(c.load, c.total, c.separator), c.text);
}

}  // namespace
}  // namespace orbel
