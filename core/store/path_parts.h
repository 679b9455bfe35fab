#pragma once
// Paths as the store and the item manager take them apart: the separator of
// the platform the store lives on, and a path's directory, name and
// extension. Every split of a path goes through here.

#include <cstddef>
#include <string>
#include <string_view>

namespace orbel {

// Directory separator of the platform the store lives on. Windows also
// takes "/" in paths, so both end a path component there.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif
constexpr bool IsPathSeparator(char c) { return c == '/' || c == kPathSeparator; }
// Position of the last separator in path, or npos.
std::size_t LastPathSeparator(std::string_view path);
// Whether path starts at a root ("/x"; on Windows also "C:\x", "\\server\x").
bool IsAbsolutePath(std::string_view path);

// A path cut into directory, name and extension. A trailing separator does
// not end the name ("/a/b/" is "/a/" and "b"); the root is all directory.
// "\" separates on Windows, and anywhere in a path written the Windows way
// (a drive letter and ":\", or "\\" first), as a shortcut made there names
// its target.
struct PathParts {
    std::string directory;  // up to and with its last separator; "" when none
    std::string name;       // the last component
    std::string extension;  // the name's, from its last "." with the dot; "" when none
};
PathParts SplitPath(std::string_view path);

// text up to its last ".", or all of it without one (a name's stem).
std::string_view WithoutExtension(std::string_view text);

// dir + name, with the separator between them when dir ends in none.
std::string JoinPath(const std::string& dir, std::string_view name);
// dir with a trailing separator.
std::string WithSeparator(std::string dir);

}  // namespace orbel
