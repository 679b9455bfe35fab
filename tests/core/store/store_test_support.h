#pragma once
// Temporary program directories and small writers for store tests.

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/store/item_tree.h"
#include "core/store/file_names.h"
#include "core/store/store_files.h"
#include "core/store/store_format.h"
#include "core/tray/menu_model.h"
#include "tests/core/fake_system_calls.h"
#include "tests/core/store/small_bmp.h"

namespace orbel::test {

// rel ("a/b") with the system's separators, as the program forms paths.
inline std::string Native(std::string_view rel) {
    std::string out(rel);
    for (char& c : out)
        if (c == '/') c = kPathSeparator;
    return out;
}

// Whether this system lets the tests make symbolic links: not Windows,
// where making one needs a privilege and the C++ library has no call for it.
inline bool CanMakeLinks() {
#ifdef _WIN32
    return false;
#else
    return true;
#endif
}
#define ORBEL_SKIP_WITHOUT_LINKS() \
    if (!::orbel::test::CanMakeLinks()) GTEST_SKIP() << "this system makes no symbolic links for the tests"

// A fresh directory under the system's temporary directory, removed with
// everything below it (links removed, never followed) when the object goes.
class TempDir {
public:
    TempDir() {
        namespace fs = std::filesystem;
        std::random_device rd;
        for (int attempt = 0; attempt < 100; ++attempt) {
            fs::path p = fs::temp_directory_path() /
                         ("orbel-store-test-" + std::to_string(rd()) + "-" + std::to_string(attempt));
            std::error_code ec;
            if (fs::create_directory(p, ec)) {
                path_ = Utf8Name(p);
                return;
            }
        }
        throw std::runtime_error("no temporary directory");
    }
    ~TempDir() { DeleteDirectoryTree(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Without trailing separator.
    const std::string& path() const { return path_; }
    // With trailing separator, as the program directory is kept.
    std::string dir() const { return path_ + kPathSeparator; }
    std::string operator/(std::string_view rel) const { return path_ + kPathSeparator + Native(rel); }

    void mkdir(std::string_view rel) const { std::filesystem::create_directories(FsPath(*this / rel)); }
    void write(std::string_view rel, std::string_view bytes) const {
        const std::filesystem::path p = FsPath(*this / rel);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream f(p, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // An index file from lines, each ended with CR LF as the writer does.
    void writeIndex(std::string_view relDir, const std::vector<std::string>& lines) const {
        std::string bytes;
        for (const auto& l : lines) bytes += l + "\r\n";
        write(std::string(relDir) + (relDir.empty() ? "" : "/") + "shortcuts.txt", bytes);
    }
    void symlink(std::string_view target, std::string_view relLink) const {
        std::filesystem::create_directory_symlink(FsPath(std::string(target)), FsPath(*this / relLink));
    }
    bool exists(std::string_view rel) const {
        std::error_code ec;
        return std::filesystem::exists(std::filesystem::symlink_status(FsPath(*this / rel), ec));
    }

private:
    std::string path_;
};

// A file's bytes; "<no file>" when it cannot be opened, so that a missing
// file never passes for an empty one.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream f(FsPath(path), std::ios::binary);
    if (!f) return "<no file>";
    std::ostringstream o;
    o << f.rdbuf();
    return o.str();
}

// One line per node: indentation by level, then text, image, selected
// image, state index and data.
inline std::string DumpTree(const ItemTree& t) {
    std::ostringstream o;
    t.forEach([&](const TreeNode& n) {
        o << std::string(static_cast<size_t>(n.level()) * 2, ' ') << '[' << n.text << "] " << n.imageIndex << ' '
          << n.selectedIndex << ' ' << n.stateIndex << ' ' << n.itemNumber << '\n';
    });
    return o.str();
}

inline void DumpMenuInto(const MenuEntry& e, int level, std::ostringstream& o) {
    e.forEachChild([&](const MenuEntry& c) {
        o << std::string(static_cast<size_t>(level) * 2, ' ') << '[' << c.caption << "] tag " << c.tag << " img "
          << c.imageIndex << (c.visible ? "" : " hidden")
          << (c.onClick == MenuHandler::NorItemsRTClickItem ? " click" : "") << '\n';
        DumpMenuInto(c, level + 1, o);
    });
}

// Captions, tags, images and visibility, one line per entry.
inline std::string DumpMenu(const MenuEntry& root) {
    std::ostringstream o;
    DumpMenuInto(root, 0, o);
    return o.str();
}

inline std::vector<std::string> Captions(const MenuEntry& e) {
    std::vector<std::string> v;
    e.forEachChild([&](const MenuEntry& c) { v.push_back(c.caption); });
    return v;
}

}  // namespace orbel::test
