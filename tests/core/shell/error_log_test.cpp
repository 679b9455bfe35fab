#include "core/shell/error_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace orbel {
namespace {

namespace fs = std::filesystem;

TEST(ErrorLog, LineLayout)
{
    EXPECT_EQ(BuildErrorLogLine("03.02.2024", "14:05:33", "Exception raised (Sender was: BitBtnSave): Disk full",
                                28, "No space left on device"),
              "03.02.2024 - 14:05: Orbel: Exception raised (Sender was: BitBtnSave): Disk full. "
              "Last Win32 Error (28): No space left on device.");
    EXPECT_EQ(BuildErrorLogLine("1/2/24", "9:05", "m", -1, ""), "1/2/24 - 9:05: Orbel: m. Last Win32 Error (-1): .");
}

TEST(ErrorLog, SystemTextIsCleaned)
{
    const std::pair<std::string, std::string> cases[] = {
        {"The system cannot find the file specified.\r\n", "The system cannot find the file specified"},
        {"Access is denied. . .  ", "Access is denied"},
        {"Two\r\nlines\t here", "Twolines here"},
        {"...", ""},
        {"v1.2 failed", "v1.2 failed"},
        {std::string(300, 'x'), std::string(255, 'x')},
        {std::string(254, 'x') + "é" + "zz", std::string(254, 'x') + "é"},  // never half a character
        {std::string(250, 'x') + "     .....", std::string(250, 'x')},
    };
    for (const auto& [text, cleaned] : cases) {
        const std::string line = BuildErrorLogLine("d", "t", "m", 5, text);
        EXPECT_EQ(line, "d - t: Orbel: m. Last Win32 Error (5): " + cleaned + ".") << text;
    }
}

TEST(ErrorLog, NothingBreaksTheLine)
{
    const std::string line = BuildErrorLogLine("d\n", "12:3\r4:56", "bad\r\nname\x1b", 1, "x\n");
    EXPECT_EQ(line.find_first_of("\r\n\x1b"), std::string::npos) << line;
    EXPECT_EQ(line, "d  - 12:3 : Orbel: bad  name . Last Win32 Error (1): x.");
    // Five characters, not five bytes.
    EXPECT_EQ(BuildErrorLogLine("d", "١٤:٠٥:٣٣", "m", 0, ""), "d - ١٤:٠٥: Orbel: m. Last Win32 Error (0): .");
    EXPECT_EQ(ErrorLogLineEnd(), "\r\n");
}

TEST(ErrorLog, AppendsLinesAndCreatesTheFile)
{
    const fs::path dir = fs::temp_directory_path() / ("orbel-log-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    const std::string log = (dir / "errorlog.txt").string();

    AppendErrorLogLine(log, "first");
    AppendErrorLogLine(log, "second");
    std::ifstream in(log, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "first\r\nsecond\r\n");

    EXPECT_THROW(AppendErrorLogLine((dir / "no" / "such" / "errorlog.txt").string(), "x"), std::runtime_error);
    EXPECT_THROW(AppendErrorLogLine(dir.string(), "x"), std::runtime_error);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace orbel
