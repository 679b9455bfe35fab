#pragma once
// What start-up asks the system to decide where the program's files live:
// whether the program's own directory can take them, the user's own
// directories for when it cannot, and the command that starts the program.

#include <string>

#include "core/program/file_places.h"

namespace orbel::platform {

// The user's base directories (UTF-8, absolute, no trailing separator).
// Linux: $XDG_DATA_HOME, $XDG_CONFIG_HOME and $XDG_STATE_HOME; a variable
// that is unset, empty or not an absolute path counts as unset and gives
// ~/.local/share, ~/.config and ~/.local/state. Empty texts when the home
// directory is unknown.
UserDirectories CurrentUserDirectories();

// Whether the current user may create, rename and delete entries in the
// existing directory dir (UTF-8). When not, reason (if given) receives the
// system's text for why ("Permission denied", "Read-only file system").
bool DirectoryWritable(const std::string& dir, std::string* reason);

// The full path (UTF-8) that starts this program, for the desktop session's
// autostart entry: the installed command when it leads to the running
// executable (the package's command on the search path), else the
// executable itself.
std::string StartCommand();

}  // namespace orbel::platform
