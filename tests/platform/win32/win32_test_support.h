#pragma once
// Helpers of the Windows platform tests.

#include <windows.h>

#include <string>

#include "platform/win32/wide.h"

namespace orbel::platform::testing {

using win32::Utf8;
using win32::Wide;

// A file of the source tree as this system names it: under Wine the build's
// Unix paths are reached through drive Z:.
inline std::string SourceFile(const std::string& relative) {
    std::string path = std::string(ORBEL_SOURCE_DIR) + "/" + relative;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// A program of the system directory, by file name.
inline std::string SystemProgram(const char* name) {
    wchar_t dir[MAX_PATH] = {};
    GetSystemDirectoryW(dir, MAX_PATH);
    return Utf8(dir) + "\\" + name;
}

inline bool Exists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace orbel::platform::testing
