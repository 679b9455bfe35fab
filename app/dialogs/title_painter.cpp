#include "app/dialogs/title_painter.h"

#include "app/dialogs/orbel_dialog.h"
#include "app/widgets/title_bar.h"
#include "core/program/settings.h"

namespace orbel {

void TitlePainter::PaintTitle(QWidget* window, const QString& title) const {
    auto* d = qobject_cast<OrbelDialog*>(window);
    if (!d || !d->titleBar() || !d->customTitle()) return;
    d->titleBar()->setTitleLook(title, QString::fromStdString(settings_.FontName), systemColour_);
    d->titleBar()->update();
}

}  // namespace orbel
