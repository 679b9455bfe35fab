#pragma once
// Where the desktop's own menus take an item's icon from: the Icon key of
// a desktop entry, and the entries installed for the programs they start.
// Values are icon theme names or absolute image files (UTF-8).

#include <memory>
#include <string>

#include "platform/platform.h"

namespace orbel::platform {

// The Icon value of a desktop entry file; empty when it has none or cannot
// be read.
std::string DesktopEntryIcon(const std::string& desktopFile);

// The desktop's application list, read when first asked.
std::unique_ptr<ProgramEntryIcons> InstalledProgramEntryIcons();

}  // namespace orbel::platform
