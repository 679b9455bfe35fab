#include "app/services/notice.h"

#include <QApplication>
#include <QMessageBox>

namespace orbel {

namespace {
NoticePresenter& presenter() {
    static NoticePresenter p;
    return p;
}

QString& title() {
    static QString t;
    return t;
}

int Present(const NoticeRequest& r) {
    if (presenter()) return presenter()(r);
    QMessageBox box;
    box.setText(r.text);
    if (r.kind == NoticeKind::Plain) {
        box.setWindowTitle(title());
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
}  // namespace

int ShowNotice(const QString& text) {
    Present({text, NoticeKind::Plain, NoticeIcon::Information, NoticeButtons::Ok});
    return answer::Ok;
}

int ShowNotice(const QString& text, NoticeIcon icon, NoticeButtons buttons) {
    return Present({text, NoticeKind::Question, icon, buttons});
}

QPointer<QMessageBox> ShowPassingNotice(const QString& text, const QString& objectName) {
    NoticeRequest request{text, NoticeKind::Plain, NoticeIcon::Information, NoticeButtons::Ok};
    request.passing = true;
    if (presenter()) {
        presenter()(request);
        return nullptr;
    }
    auto* box = new QMessageBox(QMessageBox::Information, title(), text, QMessageBox::Ok);
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    return box;
}

void SetApplicationTitle(const QString& t) { title() = t; }
QString ApplicationTitle() { return title(); }

void SetNoticePresenter(NoticePresenter p) { presenter() = std::move(p); }

}  // namespace orbel
