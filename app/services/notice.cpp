#include "app/services/notice.h"

#include <QApplication>
#include <QMessageBox>

namespace orbel {

int Notices::present(const NoticeRequest& r) const {
    if (presenter_) return presenter_(r);
    QMessageBox box;
    box.setText(r.text);
    if (r.kind == NoticeKind::Plain) {
        box.setWindowTitle(title_);
        box.setIcon(QMessageBox::Information);
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return answer::Ok;
    }
    box.setIcon(r.icon == NoticeIcon::Warning ? QMessageBox::Warning : QMessageBox::Information);
    box.setWindowTitle(r.icon == NoticeIcon::Warning ? QObject::tr("Warning") : QObject::tr("Information"));
    if (r.buttons == NoticeButtons::YesNoCancel) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return answer::Yes;
    case QMessageBox::No: return answer::No;
    case QMessageBox::Ok: return answer::Ok;
    default: return answer::Cancel;  // Escape and the close box
    }
}

int Notices::Show(const QString& text) const {
    present({text, NoticeKind::Plain, NoticeIcon::Information, NoticeButtons::Ok});
    return answer::Ok;
}

int Notices::Show(const QString& text, NoticeIcon icon, NoticeButtons buttons) const {
    return present({text, NoticeKind::Question, icon, buttons});
}

QPointer<QMessageBox> Notices::ShowPassing(const QString& text, const QString& objectName) const {
    NoticeRequest request{text, NoticeKind::Plain, NoticeIcon::Information, NoticeButtons::Ok};
    request.passing = true;
    if (presenter_) {
        presenter_(request);
        return nullptr;
    }
    auto* box = new QMessageBox(QMessageBox::Information, title_, text, QMessageBox::Ok);
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    return box;
}

}  // namespace orbel
