#include "core/program/error_log.h"

#include <fstream>
#include <stdexcept>
#include <string_view>

#include "core/store/file_names.h"

namespace orbel {

namespace {

constexpr std::size_t kMaxSystemTextChars = 255;

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The first count characters of UTF-8 text, never splitting one.
std::string_view FirstChars(std::string_view s, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t n = 0; i < s.size() && n < count; ++n) {
        ++i;
        while (i < s.size() && IsContinuation(s[i])) ++i;
    }
    return s.substr(0, i);
}

std::string ControlsToSpaces(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (IsControl(static_cast<unsigned char>(c))) c = ' ';
    }
    return out;
}

std::string CleanSystemText(std::string_view s) {
    std::string kept;
    for (const char c : s) {
        if (!IsControl(static_cast<unsigned char>(c))) kept += c;
    }
    std::string out(FirstChars(kept, kMaxSystemTextChars));
    while (!out.empty() && (out.back() == ' ' || out.back() == '.')) out.pop_back();
    return out;
}

}  // namespace

std::string BuildErrorLogLine(const std::string& shortDate, const std::string& longTime, const std::string& message,
                              int code, const std::string& systemText) {
    return ControlsToSpaces(shortDate) + " - " + ControlsToSpaces(FirstChars(longTime, 5)) +
           ": Orbel: " + ControlsToSpaces(message) + ". Last Win32 Error (" + std::to_string(code) +
           "): " + CleanSystemText(systemText) + ".";
}

std::string ErrorLogLineEnd() { return "\r\n"; }

void AppendErrorLogLine(const std::string& logFile, const std::string& line) {
    std::ofstream out(FsPath(logFile), std::ios::binary | std::ios::app);
    if (!out) throw std::runtime_error("Cannot open the error log " + logFile);
    out << line << ErrorLogLineEnd();
    out.flush();
    if (!out) throw std::runtime_error("Cannot write the error log " + logFile);
}

}  // namespace orbel
