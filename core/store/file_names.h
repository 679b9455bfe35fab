#pragma once
// File names travel through the program as UTF-8 text. std::filesystem and
// the file streams read narrow text in the system's 8-bit code page on
// Windows, so every name crosses to them through these two functions.

#include <filesystem>
#include <string>

namespace orbel {

inline std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8Name(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace orbel
