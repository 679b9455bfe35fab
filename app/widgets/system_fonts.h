#pragma once
// Fonts as the desktop reports them to the toolkit.

#include <QFont>
#include <QStringList>

namespace orbel {

// The installed font families, as the system lists them.
QStringList InstalledFontFamilies();
// The font the desktop uses for menus.
QFont SystemMenuFont();

}  // namespace orbel
