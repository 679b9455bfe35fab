#pragma once
// What the program asks of the running system.

#include <cstdint>
#include <memory>
#include <string>

#include "core/system/system_calls.h"
#include "core/system/win_version.h"

#include "platform/platform.h"

namespace orbel::platform {

bool ReadMemoryStatus(MemoryStatus& out);

// Full path of the running executable (UTF-8).
std::string ExecutablePath();

LocalTimeTexts CurrentLocalTimeTexts();

// The system's last error code and its text (errno and strerror here).
int LastErrorCode();
std::string LastErrorText(int code);

// The system's name as the about box gives it: "Windows", "Linux".
std::string SystemName();

// The version record of the running system, for the version class.
VersionRecord CurrentVersionRecord();

// Whether the user may execute the file at path (a regular file).
bool UserMayExecute(const std::string& path);

// The logic layer's system calls as this system answers them: the durable
// files, the precise test above, a directory listing cheaper than the
// standard library's and, where the shell has them, its link reader and
// path forms. The program installs them once at start.
std::unique_ptr<SystemCalls> MakeSystemCalls();

}  // namespace orbel::platform
