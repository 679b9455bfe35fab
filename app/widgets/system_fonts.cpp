#include "app/widgets/system_fonts.h"

#include <QApplication>
#include <QFontDatabase>

namespace orbel {

QStringList InstalledFontFamilies()
{
    return QFontDatabase::families();
}

QFont SystemMenuFont()
{
    // What the platform theme reports for menus; the general font otherwise.
    return QApplication::font("QMenu");
}

}  // namespace orbel
