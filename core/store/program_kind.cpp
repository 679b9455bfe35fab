#include "core/store/program_kind.h"

#include <atomic>
#include <filesystem>
#include <fstream>

#include "core/store/file_kinds.h"
#include "core/store/file_names.h"

namespace orbel {

namespace {

bool AnyExecuteBit(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::perms p = fs::status(FsPath(path), ec).permissions();
    if (ec) return false;
    const fs::perms exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (p & exec) != fs::perms::none;
}

std::atomic<ExecutableTest> g_executableTest{&AnyExecuteBit};

// Only binaries and scripts are programs; an executable bit alone is common on
// files copied from other systems and would make documents look runnable.
bool StartsLikeProgram(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in) return false;
    char head[4] = {};
    in.read(head, sizeof head);
    const std::streamsize got = in.gcount();
    if (got >= 4 && head[0] == '\x7f' && head[1] == 'E' && head[2] == 'L' && head[3] == 'F') return true;
    return got >= 2 && head[0] == '#' && head[1] == '!';
}

}  // namespace

bool HasExeExtension(const std::string& path) { return KindOfPathEnd(path) == ExtensionKind::Program; }

bool IsProgramPath(const std::string& path) {
    if (HasExeExtension(path)) return true;
    if (path.empty()) return false;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(FsPath(path), ec)) return false;
    const ExecutableTest test = g_executableTest.load();
    return test(path) && StartsLikeProgram(path);
}

void SetUserExecutableTest(ExecutableTest test) { g_executableTest.store(test ? test : &AnyExecuteBit); }

}  // namespace orbel
