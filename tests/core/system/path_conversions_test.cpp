#include "core/system/path_conversions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace orbel {
namespace {

namespace fs = std::filesystem;

TEST(ShellPaths, ShortPathIsThePathWhenItExists) {
    const fs::path dir = fs::temp_directory_path() / ("orbel-paths-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir / "sub dir");
    std::ofstream(dir / "file.txt") << "x";
    const std::string d = dir.string();
    for (const std::string& kept : {d + "/sub dir", d + "/sub dir/", d + "/file.txt"})
        EXPECT_EQ(GetShortPath(kept), kept);
    for (const std::string& gone : {d + "/file.txt/", d + "/missing/", d + "/missing", std::string()}) {
#ifdef _WIN32
        // Whether "file\" names the file is the file system's to say there.
        if (gone == d + "/file.txt/") continue;
#endif
        EXPECT_EQ(GetShortPath(gone), "") << gone;
    }
    fs::remove_all(dir);
}

TEST(ShellPaths, FileUrisBecomeLocalPaths) {
    const std::pair<const char*, const char*> cases[] = {
        {"file:///home/u/a%20b.txt", "/home/u/a b.txt"},
        {"FILE://LocalHost/tmp/x", "/tmp/x"},
        {"file:/tmp/caf%C3%A9", "/tmp/café"},
        {"file:///tmp/%23h%3Fq#fragment", "/tmp/#h?q"},
        {"file:///tmp/a?query", "/tmp/a"},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(PathFromDisplayName(name), expected) << name;
    // Other hosts, bad or NUL escapes, no path, and non-URIs stay as they are.
    for (const char* same : {"file://server/share/x", "file://localhostx/x", "file://", "file:relative",
                             "file:///tmp/a%2", "file:///tmp/a%zz", "file:///a%00b", "/a/path", "https://e.org/x"})
        EXPECT_EQ(PathFromDisplayName(same), same);
}

}  // namespace
}  // namespace orbel
