#include "app/dialogs/control_table.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace orbel {

namespace {

void SetCaption(QWidget* w, const QString& text) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(text);
    else if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) p->setPlainText(text);
}

void SetLook(QWidget* w, unsigned look) {
    // No button answers Enter on its own.
    if (auto* b = qobject_cast<QPushButton*>(w)) b->setAutoDefault(false);
    if (look & Disabled) w->setEnabled(false);
    if (look & ShowsText) {
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            e->setReadOnly(true);
            e->setFrame(false);
        } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
            p->setReadOnly(true);
            p->setFrameShape(QFrame::NoFrame);
        }
        w->setFocusPolicy(Qt::ClickFocus);
    }
    if (auto* f = qobject_cast<QFrame*>(w)) {
        if (look & StyledPanel) f->setFrameShape(QFrame::StyledPanel);
        if (look & RaisedPanel) f->setFrameStyle(QFrame::Panel | QFrame::Raised);
        if (look & SunkenRule) {
            f->setFrameShape(QFrame::HLine);
            f->setFrameShadow(QFrame::Sunken);
        }
    }
    if (auto* l = qobject_cast<QLabel*>(w); l && (look & Centred)) l->setAlignment(Qt::AlignCenter);
    if (look & Bold) {
        QFont font = w->font();
        font.setBold(true);
        w->setFont(font);
    }
}

}  // namespace

QList<QWidget*> BuildControls(QWidget* container, std::initializer_list<ControlRow> rows) {
    QList<QWidget*> made;
    for (const ControlRow& row : rows) {
        QWidget* parent = row.parent ? container->findChild<QWidget*>(QString::fromLatin1(row.parent)) : container;
        Q_ASSERT_X(parent, row.name, "a row's parent is made before it");
        QWidget* w = row.slot.make(parent);
        w->setObjectName(row.name);
        if (!row.caption.isNull()) SetCaption(w, row.caption);
        SetLook(w, row.look);
        w->setGeometry(row.geometry);
        if (row.geometry.size().isEmpty()) w->adjustSize();
        if (row.hint) {
            const QString hint = QString::fromUtf8(row.hint);
            w->setToolTip(hint);
            w->setStatusTip(hint);
        }
        made << w;
    }
    return made;
}

}  // namespace orbel
