#pragma once
// Whether a top-level window gets a button in the desktop's taskbar.

class QWidget;

namespace orbel::platform {

// Marks the window to be left out of the taskbar, or takes the mark away.
// Call it before the window is mapped (its show event) and whenever the
// choice changes while it is on screen (mapped). No effect without X11.
void SetSkipTaskbar(QWidget* window, bool skip, bool mapped);

}  // namespace orbel::platform
