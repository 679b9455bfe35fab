#pragma once
// The shell's own reading of shortcut files and its path forms: the link
// object, short (8.3) names and desktop display names on Windows; the
// portable readers of the logic layer where the system has none of these.

#include <string>

#include "core/links/shortcut_file.h"

namespace orbel::platform {

// Reads the link file; 0 on success (out filled: the target in its short
// form where the system has one), a negative result code on failure (out
// untouched).
int ReadShellLink(const std::string& linkFile, ShellLinkDescription& out);
// The short form of an existing path, a trailing separator kept; "" when
// the path does not exist.
std::string ShortPathName(const std::string& path);
// The file-system path the shell makes of a display name (a short path, a
// "file:" address); name itself when it cannot make one.
std::string PathFromShellDisplayName(const std::string& name);

}  // namespace orbel::platform
