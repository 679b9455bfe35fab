#pragma once
// The about box's memory display: reading the system's memory figures and
// the text shown for them.

#include <cstdint>
#include <string>
#include <string_view>

namespace orbel {

// From the text of /proc/meminfo: MemTotal and MemAvailable in bytes. Without
// MemAvailable (old kernels) available is MemFree + Buffers + Cached. False
// when MemTotal, or every source of the available figure, is missing or
// unreadable. available never exceeds total.
bool ParseMemInfo(std::string_view procMeminfoText, std::uint64_t& totalBytes, std::uint64_t& availableBytes);

// Share of memory in use, rounded, 0 to 100; 0 when total is 0.
int MemoryLoadPercent(std::uint64_t totalBytes, std::uint64_t availableBytes);

// load + "% used of the total memory at " + total in KB, rounded and grouped
// in threes with thousandsSeparator ('\0': no grouping) + " KB".
std::string FormatMemoryText(int load, std::uint64_t totalBytes, char thousandsSeparator);

}  // namespace orbel
