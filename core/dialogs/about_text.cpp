#include "core/dialogs/about_text.h"

#include <cmath>
#include <limits>
#include <optional>

namespace orbel {

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// "   16314172 kB" in bytes; nothing when it is not a kB count or overflows.
std::optional<std::uint64_t> KiloBytes(std::string_view value) {
    value = TrimSpaces(value);
    std::uint64_t kb = 0;
    std::size_t i = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        const unsigned digit = static_cast<unsigned>(value[i] - '0');
        if (kb > (kMax - digit) / 10) return std::nullopt;
        kb = kb * 10 + digit;
    }
    if (i == 0 || TrimSpaces(value.substr(i)) != "kB" || kb > kMax / 1024) return std::nullopt;
    return kb * 1024;
}

struct MemFigures {
    std::optional<std::uint64_t> total, available, free, buffers, cached;
};

void Take(MemFigures& f, std::string_view key, std::string_view value) {
    std::optional<std::uint64_t>* slot = nullptr;
    if (key == "MemTotal") slot = &f.total;
    else if (key == "MemAvailable") slot = &f.available;
    else if (key == "MemFree") slot = &f.free;
    else if (key == "Buffers") slot = &f.buffers;
    else if (key == "Cached") slot = &f.cached;
    if (slot && !*slot) *slot = KiloBytes(value);
}

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) { return a > kMax - b ? kMax : a + b; }

}  // namespace

bool ParseMemInfo(std::string_view text, std::uint64_t& totalBytes, std::uint64_t& availableBytes) {
    MemFigures f;
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos) Take(f, TrimSpaces(line.substr(0, colon)), line.substr(colon + 1));
    }
    if (!f.total || *f.total == 0) return false;
    std::uint64_t available;
    if (f.available) available = *f.available;
    else if (f.free) available = SaturatingAdd(SaturatingAdd(*f.free, f.buffers.value_or(0)), f.cached.value_or(0));
    else return false;
    totalBytes = *f.total;
    availableBytes = available < totalBytes ? available : totalBytes;
    return true;
}

int MemoryLoadPercent(std::uint64_t totalBytes, std::uint64_t availableBytes) {
    if (totalBytes == 0) return 0;
    if (availableBytes > totalBytes) availableBytes = totalBytes;
    const long double used = static_cast<long double>(totalBytes - availableBytes);
    const long percent = std::lround(100.0L * used / static_cast<long double>(totalBytes));
    return static_cast<int>(percent < 0 ? 0 : percent > 100 ? 100 : percent);
}

std::string FormatMemoryText(int load, std::uint64_t totalBytes, char thousandsSeparator) {
    const std::uint64_t kb = totalBytes / 1024 + (totalBytes % 1024 >= 512 ? 1 : 0);
    const std::string digits = std::to_string(kb);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0 && thousandsSeparator != '\0') grouped += thousandsSeparator;
        grouped += digits[i];
    }
    return std::to_string(load) + "% used of the total memory at " + grouped + " KB";
}

}  // namespace orbel
