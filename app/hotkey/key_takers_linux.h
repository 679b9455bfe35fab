#pragma once
// The ways a Linux desktop lets a program take a key.

#include <QString>
#include <memory>

#include "app/hotkey/menu_shortcut.h"

namespace orbel {

// A passive grab on the X root window; none without an X display.
std::unique_ptr<KeyTaker> MakeX11KeyGrab();
// KDE Plasma's global-shortcut service on the session bus, which shows the
// key in the desktop's shortcut settings; none where it is not running.
std::unique_ptr<KeyTaker> MakeKdeGlobalShortcut();
// A custom shortcut in GNOME's keyboard settings that runs the command;
// none outside GNOME.
std::unique_ptr<KeyTaker> MakeGnomeCustomShortcut(const QString& command);

}  // namespace orbel
