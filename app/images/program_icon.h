#pragma once
// The program's picture: the tray icon, and the icon installed for the
// desktop's menus, which the build renders from this same drawing.

#include <QImage>

namespace orbel {

// The picture at size x size pixels (drawn for 32 and scaled), on a
// transparent background.
QImage ProgramIconImage(int size);

}  // namespace orbel
