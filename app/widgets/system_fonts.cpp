#include "app/widgets/system_fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace orbel {

QStringList InstalledFontFamilies() { return QFontDatabase::families(); }

QFont SystemMenuFont() {
    // What the platform theme reports for menus; the general font otherwise.
    return QApplication::font("QMenu");
}

QFont InSystemMenuFont(QFont base) {
    const QFont menu = SystemMenuFont();
    base.setFamily(menu.family());
    if (menu.pointSizeF() > 0) base.setPointSizeF(menu.pointSizeF());
    else base.setPixelSize(menu.pixelSize());
    return base;
}

}  // namespace orbel
