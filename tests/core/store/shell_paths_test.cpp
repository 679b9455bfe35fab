#include "core/store/shell_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace orbel {
namespace {

namespace fs = std::filesystem;

TEST(ShellPaths, ShortPathIsThePathWhenItExists)
{
    const fs::path dir = fs::temp_directory_path() / ("orbel-paths-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir / "sub dir");
    std::ofstream(dir / "file.txt") << "x";
    const std::string d = dir.string();
    const std::pair<std::string, std::string> cases[] = {
        {d + "/sub dir", d + "/sub dir"},
        {d + "/sub dir/", d + "/sub dir/"},
        {d + "/file.txt", d + "/file.txt"},
        {d + "/file.txt/", ""},
        {d + "/missing/", ""},
        {d + "/missing", ""},
        {"", ""},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(GetShortPath(path), expected) << path;
    fs::remove_all(dir);
}

TEST(ShellPaths, FileUrisBecomeLocalPaths)
{
    const std::pair<const char*, const char*> cases[] = {
        {"file:///home/u/a%20b.txt", "/home/u/a b.txt"},
        {"file://localhost/tmp/x", "/tmp/x"},
        {"FILE://LocalHost/tmp/x", "/tmp/x"},
        {"file:/tmp/x", "/tmp/x"},
        {"file:///tmp/caf%C3%A9", "/tmp/café"},
        {"file:///tmp/%23hash%3Fq", "/tmp/#hash?q"},
        {"file:///tmp/a#fragment", "/tmp/a"},
        {"file:///tmp/a?query", "/tmp/a"},
        {"file:///", "/"},
        // Not local paths, or not decodable: unchanged.
        {"file://server/share/x", "file://server/share/x"},
        {"file://localhostx/x", "file://localhostx/x"},
        {"file://", "file://"},
        {"file:relative", "file:relative"},
        {"file:///tmp/a%2", "file:///tmp/a%2"},
        {"file:///tmp/a%zz", "file:///tmp/a%zz"},
        {"file:///tmp/a%00b", "file:///tmp/a%00b"},
        {"/already/a/path", "/already/a/path"},
        {"https://example.org/x", "https://example.org/x"},
        {"", ""},
    };
    for (const auto& [name, expected] : cases)
        EXPECT_EQ(PathFromDisplayName(name), expected) << name;
}

}  // namespace
}  // namespace orbel
