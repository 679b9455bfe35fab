#include "core/system/path_conversions.h"

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/store/ascii_case.h"
#include "core/store/file_names.h"

namespace orbel {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> PercentDecode(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out += s[i];
            continue;
        }
        if (s.size() - i < 3) return std::nullopt;
        const int hi = HexValue(s[i + 1]);
        const int lo = HexValue(s[i + 2]);
        if (hi < 0 || lo < 0 || (hi == 0 && lo == 0)) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

}  // namespace

std::string PortableShortPath(const std::string& path) {
    if (path.empty()) return {};
    std::error_code ec;
    return std::filesystem::exists(FsPath(path), ec) ? path : std::string();
}

std::string PortablePathFromDisplayName(const std::string& name) {
    std::string_view rest = name;
    if (!EqualsNoCase(rest.substr(0, 5), "file:")) return name;
    rest.remove_prefix(5);
    if (rest.substr(0, 2) == "//") {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        if (slash == std::string_view::npos) return name;
        const std::string_view host = rest.substr(0, slash);
        const bool local = host.empty() || EqualsNoCase(host, "localhost");
        if (!local) return name;
        rest.remove_prefix(slash);
    } else if (rest.empty() || rest.front() != '/') {
        return name;
    }
    rest = rest.substr(0, rest.find_first_of("?#"));
    const std::optional<std::string> path = PercentDecode(rest);
    return path ? *path : name;
}

}  // namespace orbel
