#include "core/store/program_kind.h"

#include <filesystem>
#include <fstream>

#include "core/store/file_kinds.h"
#include "core/store/file_names.h"
#include "core/system/system_calls.h"

namespace orbel {

namespace {

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
    return System().UserMayExecute(path) && StartsLikeProgram(path);
}

}  // namespace orbel
