#include "core/program/error_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace orbel {
namespace {

namespace fs = std::filesystem;

TEST(ErrorLog, LineLayoutAndCleaning) {
    EXPECT_EQ(BuildErrorLogLine("03.02.2024", "14:05:33", "Exception raised (Sender was: X): Disk full", 28,
                                "No space left on device"),
              "03.02.2024 - 14:05: Orbel: Exception raised (Sender was: X): Disk full. "
              "Last Win32 Error (28): No space left on device.");
    const std::pair<std::string, std::string> texts[] = {
        {"Access is denied. . .  \r\n", "Access is denied"},
        {"Two\r\nlines\t here", "Twolines here"},
        {"...", ""},
        {"v1.2 failed", "v1.2 failed"},
        {std::string(300, 'x'), std::string(255, 'x')},
        {std::string(254, 'x') + "éz", std::string(254, 'x') + "é"},  // characters, not bytes
        {std::string(250, 'x') + "   ....", std::string(250, 'x')},
    };
    for (const auto& [text, cleaned] : texts)
        EXPECT_EQ(BuildErrorLogLine("d", "t", "m", -5, text),
                  "d - t: Orbel: m. Last Win32 Error (-5): " + cleaned + ".");
    // No piece can break the entry into two lines.
    EXPECT_EQ(BuildErrorLogLine("d\n", "1:3\r4", "bad\r\nname", 1, "x"),
              "d  - 1:3 4: Orbel: bad  name. Last Win32 Error (1): x.");
    EXPECT_EQ(BuildErrorLogLine("d", "١٤:٠٥:٣٣", "m", 0, ""), "d - ١٤:٠٥: Orbel: m. Last Win32 Error (0): .");
    EXPECT_EQ(ErrorLogLineEnd(), "\r\n");
}

TEST(ErrorLog, AppendsLinesCreatingTheFileAndThrowsWhenItCannot) {
    const fs::path dir = fs::temp_directory_path() / ("orbel-log-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    const std::string log = (dir / "errorlog.txt").string();
    AppendErrorLogLine(log, "first");
    AppendErrorLogLine(log, "second");
    std::stringstream content;
    content << std::ifstream(log, std::ios::binary).rdbuf();
    EXPECT_EQ(content.str(), "first\r\nsecond\r\n");
    EXPECT_THROW(AppendErrorLogLine((dir / "no" / "errorlog.txt").string(), "x"), std::runtime_error);
    EXPECT_THROW(AppendErrorLogLine(dir.string(), "x"), std::runtime_error);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace orbel
