#pragma once
// What counts as a program: ".exe" in any letter case, or a regular file the
// user may execute (as the installed system calls tell) whose first bytes
// are an ELF header or "#!".

#include <string>

namespace orbel {

bool HasExeExtension(const std::string& path);
bool IsProgramPath(const std::string& path);

}  // namespace orbel
