#include "app/dialogs/orbel_dialog.h"

namespace orbel {

OrbelDialog::OrbelDialog(QWidget* parent) : QDialog(parent) { setModal(false); }

void OrbelDialog::setTitleText(const QString& text) {
    titleText_ = text;
    setWindowTitle(text);
}

}  // namespace orbel
