#pragma once
// The applications installed for the user, as the desktop's own menus list
// them.

#include <vector>

#include "core/manager/applications.h"

namespace orbel::platform {

// Linux: the desktop entries GIO lists that it would show in this desktop
// (not NoDisplay or Hidden, shown under XDG_CURRENT_DESKTOP by OnlyShowIn
// and NotShowIn, TryExec present), each with its Name in the user's
// language, its Categories and its file. Windows: none yet.
std::vector<InstalledApplication> InstalledApplications();

}  // namespace orbel::platform
