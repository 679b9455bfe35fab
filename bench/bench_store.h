#pragma once
// The generated store the benchmarks load: 10,000 items in 1,000 folders
// (100 top-level folders with 9 subfolders each, 10 items in every folder),
// half of them programs with an icon bitmap, half documents of 50 extensions.

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/store/store_files.h"
#include "tests/core/store/small_bmp.h"

namespace bench {

namespace fs = std::filesystem;

constexpr int kTopFolders = 100;
constexpr int kSubFolders = 9;       // per top-level folder: 100 * (1 + 9) = 1,000 folders
constexpr int kItemsPerFolder = 10;  // 10,000 items
constexpr int kExtensions = 50;

inline std::string Bmp16() { return orbel::test::SmallBmp(); }

inline void Write(const fs::path& p, const std::string& bytes) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << bytes;
}

// Items of one folder, the programs with their bitmaps written beside.
inline std::string FolderItems(const fs::path& dir, int& counter, const std::string& bmp) {
    std::string lines;
    for (int i = 0; i < kItemsPerFolder; ++i, ++counter) {
        const std::string n = std::to_string(counter);
        if (i % 2 == 0) {
            lines += "^ExeLnk|/opt/tools/prog" + n + ".exe|--run " + n + "|prog" + n + ".bmp|Program " + n + "\r\n";
            Write(dir / ("prog" + n + ".bmp"), bmp);
        } else {
            const std::string ext = "e" + std::to_string(counter % kExtensions);
            lines += "^UnkLnk|/home/user/docs/doc" + n + "." + ext + "|" + ext + "|Document " + n + "\r\n";
        }
    }
    return lines;
}

// Writes the store into programDir + "shortcuts"; returns the item count.
// Other sizes keep the shape: ten folders and 100 items per top-level folder.
inline int WriteBenchStore(const std::string& programDir, int topFolders = kTopFolders) {
    const fs::path store = fs::path(programDir) / "shortcuts";
    fs::create_directories(store);
    const std::string bmp = Bmp16();
    int counter = 0;
    std::string top;
    for (int f = 0; f < topFolders; ++f) {
        const std::string name = "Folder " + std::to_string(f);
        top += "^Folder|" + name + "\r\n";
        if (f % 10 == 0) top += "^SpeSep|Group " + std::to_string(f / 10) + "\r\n";
        const fs::path fdir = store / name;
        fs::create_directory(fdir);
        std::string lines = FolderItems(fdir, counter, bmp);
        for (int s = 0; s < kSubFolders; ++s) {
            const std::string sub = "Sub " + std::to_string(s);
            lines += "^Folder|" + sub + "\r\n";
            if (s == 4) lines += "^NorSep|\r\n";
            fs::create_directory(fdir / sub);
            Write(fdir / sub / "shortcuts.txt", FolderItems(fdir / sub, counter, bmp));
        }
        Write(fdir / "shortcuts.txt", lines);
    }
    Write(store / "shortcuts.txt", top);
    return counter;
}

// A program directory holding the store, removed at exit.
class Store {
public:
    Store() {
        dir_ = (fs::temp_directory_path() / ("orbel-store-bench-" + std::to_string(getpid()))).string() + "/";
        orbel::DeleteDirectoryTree(dir_);
        items_ = WriteBenchStore(dir_);
    }
    ~Store() { orbel::DeleteDirectoryTree(dir_); }
    const std::string& dir() const { return dir_; }
    int items() const { return items_; }

private:
    std::string dir_;
    int items_ = 0;
};

}  // namespace bench
