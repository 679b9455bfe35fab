#pragma once
// Whether a top-level window gets a button in the desktop's taskbar.

#include <cstdint>

namespace orbel::platform {

// Marks the native window (the toolkit's window id) to be left out of the
// taskbar, or takes the mark away. Call it before the window is mapped (its
// show event) and whenever the choice changes while it is on screen
// (mapped). No effect where the system offers no such mark.
void SetSkipTaskbar(std::uintptr_t nativeWindow, bool skip, bool mapped);

}  // namespace orbel::platform
