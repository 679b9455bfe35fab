#include "app/dialogs/orbel_dialog.h"

#include <QCloseEvent>
#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <qdrawutil.h>

#include "app/widgets/title_bar.h"
#include "platform/platform.h"

namespace orbel {

OrbelDialog::OrbelDialog(platform::Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform) {
    setModal(false);
}

void OrbelDialog::ensureContents() {
    if (contentsBuilt_) return;
    contentsBuilt_ = true;
    buildContents();
    // The painted title bar, made earlier, stays above the new controls.
    if (titleBar_) titleBar_->raise();
}

void OrbelDialog::setVisible(bool visible) {
    if (visible) ensureContents();
    QDialog::setVisible(visible);
}

void OrbelDialog::setTitleText(const QString& text) {
    titleText_ = text;
    // Kept as the window's name under the program's drawing too: the frame
    // that would show it is gone, and window lists still need a name.
    setWindowTitle(text);
    if (titleBar_) titleBar_->update();
}

QSize OrbelDialog::clientSize() const {
    if (!customTitle_) return size();
    return size() - QSize(2 * kFrameWidth, 2 * kFrameWidth + TTitleBar::CaptionHeight());
}

QPoint OrbelDialog::clientOrigin() const {
    return customTitle_ ? QPoint(kFrameWidth, kFrameWidth + TTitleBar::CaptionHeight()) : QPoint(0, 0);
}

void OrbelDialog::setClientSize(QSize client) {
    if (client == clientSize()) return;
    const int caption = TTitleBar::CaptionHeight();
    setOuterSize(customTitle_ ? client + QSize(2 * kFrameWidth, 2 * kFrameWidth + caption) : client);
}

void OrbelDialog::setOuterSize(QSize outer) {
    if (minimumSize() == maximumSize()) setFixedSize(outer);
    else resize(outer);
    if (titleBar_ && customTitle_)
        titleBar_->setGeometry(kFrameWidth, kFrameWidth, outer.width() - 2 * kFrameWidth, TTitleBar::CaptionHeight());
    if (layout()) layout()->activate();
}

void OrbelDialog::shiftClientArea(int dx, int dy) {
    // Controls placed by hand move with the client area; a layout follows the
    // contents margins instead.
    for (QObject* o : children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w == titleBar_ || w->isWindow()) continue;
        w->move(w->pos() + QPoint(dx, dy));
    }
}

void OrbelDialog::setWindowLook(bool customTitle, bool taskBar) {
    if (!lookKnown_) {
        // The hints the dialog chose for its own frame, before any change.
        frameHints_ = windowFlags() & ~Qt::WindowType_Mask;
        plainMargins_ = contentsMargins();
        lookKnown_ = true;
    } else if (customTitle == customTitle_ && taskBar == taskBar_) {
        return;
    }
    const bool wasVisible = isVisible();
    const QPoint where = pos();
    const QSize client = clientSize();
    const int caption = TTitleBar::CaptionHeight();

    if (customTitle && !customTitle_) {
        if (!titleBar_) titleBar_ = new TTitleBar(this);
        shiftClientArea(kFrameWidth, kFrameWidth + caption);
        setContentsMargins(plainMargins_ + QMargins(kFrameWidth, kFrameWidth + caption, kFrameWidth, kFrameWidth));
        titleBar_->show();
    } else if (!customTitle && customTitle_) {
        shiftClientArea(-kFrameWidth, -(kFrameWidth + caption));
        setContentsMargins(plainMargins_);
        titleBar_->hide();
    }
    customTitle_ = customTitle;
    taskBar_ = taskBar;

    // A tool window gets no taskbar button.
    Qt::WindowFlags flags = frameHints_ | (taskBar ? Qt::Dialog : Qt::Tool);
    if (customTitle) {
        // Title and button hints would win over the frameless hint.
        flags &= ~(Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint);
        flags |= Qt::FramelessWindowHint;
    } else {
        flags &= ~Qt::FramelessWindowHint;
    }
    if (flags != windowFlags()) setWindowFlags(flags);

    setOuterSize(customTitle ? client + QSize(2 * kFrameWidth, 2 * kFrameWidth + caption) : client);
    if (wasVisible) {
        move(where);
        show();
    }
}

void OrbelDialog::FormActivate() { FormPaint(); }

void OrbelDialog::FormPaint() {
    if (customTitle_ && paintTitle_) paintTitle_(this, titleText_);
}

bool OrbelDialog::event(QEvent* e) {
    // The window manager forgets the state while the window is hidden; the
    // mark goes on again before each mapping (the show event comes first).
    if (e->type() == QEvent::Show) platform_.SetSkipTaskbar(winId(), !taskBar_, false);
    const bool done = QDialog::event(e);
    if (customTitle_ && (e->type() == QEvent::WindowActivate || e->type() == QEvent::WindowDeactivate)) FormActivate();
    return done;
}

void OrbelDialog::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    // The controls have taken the new font before the window hears of it.
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) fitTexts();
}

void OrbelDialog::closeEvent(QCloseEvent* e) { e->accept(); }

void OrbelDialog::paintEvent(QPaintEvent* e) {
    QDialog::paintEvent(e);
    if (!customTitle_) return;
    // The frame the window manager no longer draws.
    QPainter p(this);
    qDrawWinPanel(&p, rect(), palette(), false);
}

}  // namespace orbel
