#include "core/store/path_parts.h"

namespace orbel {

std::size_t LastPathSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (IsPathSeparator(path[i - 1])) return i - 1;
    return std::string_view::npos;
}

bool IsAbsolutePath(std::string_view path) {
    if (kPathSeparator == '/') return !path.empty() && path[0] == '/';
    // A drive's root or a network path; "\\x" alone depends on the drive.
    const char d = path.empty() ? '\0' : path[0];
    if (path.size() > 2 && path[1] == ':' && IsPathSeparator(path[2]) &&
        ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z')))
        return true;
    return path.size() > 1 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}

std::string_view WithoutExtension(std::string_view text) {
    const std::size_t dot = text.rfind('.');
    return dot == std::string_view::npos ? text : text.substr(0, dot);
}

PathParts SplitPath(std::string_view path) {
    const bool windows = kPathSeparator == '\\' || (path.size() >= 3 && path[1] == ':' && path[2] == '\\') ||
                         path.substr(0, 2) == "\\\\";
    const std::string_view separators = windows ? "/\\" : "/";
    std::string_view p = path;
    while (p.size() > 1 && separators.find(p.back()) != std::string_view::npos) p.remove_suffix(1);
    PathParts parts;
    if (p.size() == 1 && separators.find(p[0]) != std::string_view::npos) {
        parts.directory = p;
        return parts;
    }
    const std::size_t slash = p.find_last_of(separators);
    parts.directory = slash == std::string_view::npos ? std::string() : std::string(p.substr(0, slash + 1));
    parts.name = slash == std::string_view::npos ? p : p.substr(slash + 1);
    parts.extension = parts.name.substr(WithoutExtension(parts.name).size());
    return parts;
}

std::string JoinPath(const std::string& dir, std::string_view name) {
    std::string out = dir;
    if (!out.empty() && !IsPathSeparator(out.back())) out += kPathSeparator;
    out += name;
    return out;
}

std::string WithSeparator(std::string dir) {
    if (dir.empty() || !IsPathSeparator(dir.back())) dir += kPathSeparator;
    return dir;
}

}  // namespace orbel
