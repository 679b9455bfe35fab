// Index files are read from disk as they are: any bytes must parse, and a
// store whose top-level index file holds them must load.
//
// The loader run uses one store per process, prepared once: a folder "a"
// with its own index file, a link back to the store and one to "a", and an
// icon bitmap, so that folder and item lines of the input reach real
// directories and files.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

#include "core/store/store_files.h"
#include "core/store/store_format.h"
#include "core/store/store_loader.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
    if (!ok) __builtin_trap();
}

void WriteFile(const fs::path& p, std::string_view bytes) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string g_programDir;

void RemoveProgramDir() { orbel::DeleteDirectoryTree(g_programDir); }

const std::string& ProgramDir() {
    if (!g_programDir.empty()) return g_programDir;
    const fs::path dir = fs::temp_directory_path() / ("orbel-index-fuzz-" + std::to_string(getpid()));
    orbel::DeleteDirectoryTree(dir.string());
    const fs::path store = dir / "shortcuts";
    fs::create_directories(store / "a" / "b");
    WriteFile(store / "a" / "shortcuts.txt",
              "^UnkLnk|x.txt|txt|X\r\n^Folder|up\r\n^Folder|b\r\n^Folder|..\r\n^ExeLnk|p.exe|-x|p.bmp|P\r\n");
    WriteFile(store / "a" / "p.bmp", "BM not really a bitmap");
    WriteFile(store / "p.bmp", "BM");
    fs::create_directory_symlink("..", store / "a" / "up");
    fs::create_directory_symlink(".", store / "loop");
    fs::create_directory_symlink("a", store / "alias");
    g_programDir = dir.string() + "/";
    std::atexit(RemoveProgramDir);
    return g_programDir;
}

void CheckEntries(std::string_view bytes) {
    using orbel::IndexEntryKind;
    for (const orbel::IndexEntry& e : orbel::ParseIndexFile(bytes)) {
        // Every field is a piece of the input.
        Check(e.text.size() <= bytes.size() && e.path.size() <= bytes.size());
        if (e.kind != IndexEntryKind::ExecutableItem) Check(e.parameters.empty() && e.iconFile.empty());
        if (e.kind != IndexEntryKind::FileItem) Check(e.extension.empty());
        if (e.kind == IndexEntryKind::PlainSeparator) Check(e.text.empty());
        Check(e.path.find('|') == std::string::npos && e.extension.find('|') == std::string::npos &&
              e.iconFile.find('|') == std::string::npos && e.parameters.find('|') == std::string::npos);
    }
}

void CheckLoad(std::string_view bytes) {
    orbel::ItemStore s;
    s.dataDir = ProgramDir();
    WriteFile(fs::path(s.storeDir()) / "shortcuts.txt", bytes);
    try {
        orbel::InstallMenuTemplate(s);
        Check(orbel::PrepareStore(s, [] { return orbel::BackupAnswer::No; }));
        orbel::LoadStore(s);
    } catch (const orbel::StoreIoError&) {
        return;  // an index file that cannot be read is reported, not a crash
    }
    Check(s.loadAnchor == nullptr);
    Check(s.topAnchor == s.items.firstTopLevel());
    Check(s.table.paths.length() == s.nextItemNumber);
    Check(s.table.programNumbers.length() == s.table.parameters.length());
    int items = 0;
    s.items.forEach([&](const orbel::TreeNode& n) {
        Check(s.images.valid(n.imageIndex));
        if (n.itemNumber >= 0) {
            Check(n.itemNumber == items);
            ++items;
        }
    });
    Check(items == s.nextItemNumber);
    Check(s.counters.lastBreak < s.images.count());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckEntries(bytes);
    CheckLoad(bytes);
    return 0;
}
