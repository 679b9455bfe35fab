#pragma once
// What counts as a program: ".exe" in any letter case, or a regular file the
// user may execute whose first bytes are an ELF header or "#!".

#include <string>

namespace orbel {

bool HasExeExtension(const std::string& path);
bool IsProgramPath(const std::string& path);

// How IsProgramPath learns whether the user may execute a file. The platform
// installs its precise test at start-up; until then the permission bits of
// the file decide. A null test puts the permission bits back.
using ExecutableTest = bool (*)(const std::string& path);
void SetUserExecutableTest(ExecutableTest test);

}  // namespace orbel
