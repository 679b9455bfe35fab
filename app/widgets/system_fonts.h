#pragma once
// Fonts as the desktop reports them to the toolkit.

#include <QFont>
#include <QStringList>

namespace orbel {

// The installed font families, as the system lists them.
QStringList InstalledFontFamilies();
// The font the desktop uses for menus.
QFont SystemMenuFont();
// base in the menu font's family and size (in points, or in pixels where
// the desktop gives no point size).
QFont InSystemMenuFont(QFont base);

}  // namespace orbel
