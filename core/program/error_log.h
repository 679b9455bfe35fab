#pragma once
// The error log's line format and its append-only file.

#include <string>

namespace orbel {

// date + " - " + first five characters of longTime + ": Orbel: " + message +
// ". Last Win32 Error (" + code + "): " + systemText + ".". systemText loses
// its control characters and trailing spaces and periods and is cut to 255
// characters; control characters in the other pieces become spaces, so an
// entry is always exactly one line.
std::string BuildErrorLogLine(const std::string& shortDate, const std::string& longTime, const std::string& message,
                              int code, const std::string& systemText);

// "\r\n".
std::string ErrorLogLineEnd();

// Appends line and its line end to logFile, creating the file when missing.
// Throws std::runtime_error when the file cannot be opened or written.
void AppendErrorLogLine(const std::string& logFile, const std::string& line);

}  // namespace orbel
