#include "app/widgets/title_bar.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace orbel {

TTitleBar::TTitleBar(QWidget* window) : QWidget(window) {
    setObjectName("TitleBar");
    setFixedHeight(CaptionHeight());
    setAttribute(Qt::WA_OpaquePaintEvent);
    closeBox_ = new QToolButton(this);
    closeBox_->setObjectName("CloseBox");
    closeBox_->setFocusPolicy(Qt::NoFocus);
    closeBox_->setAutoRaise(false);
    closeBox_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
    closeBox_->setToolTip(tr("Close"));
    connect(closeBox_, &QToolButton::clicked, this, [this] { this->window()->close(); });
    inactiveText_ = QApplication::palette().color(QPalette::Button);
}

int TTitleBar::CaptionHeight() {
    // The style's caption height, never so small that the bold title clips.
    return qMax(18, QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight));
}

void TTitleBar::setTitleLook(const QString& text, const QString& family, const QColor& inactiveText) {
    text_ = text;
    family_ = family;
    inactiveText_ = inactiveText;
}

QFont TTitleBar::titleFont() const {
    QFont f = QApplication::font();
    f.setFamily(family_);
    f.setBold(true);
    return f;
}

bool TTitleBar::windowActive() const { return window()->isActiveWindow(); }

QPoint TTitleBar::textOriginInWindow() const {
    const int textHeight = QFontMetrics(titleFont()).height();
    // Centred in the caption; the caption starts below the window's border.
    return QPoint(kThinBorder + 4, (CaptionHeight() - textHeight) / 2 + 2);
}

void TTitleBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool active = windowActive();
    QLinearGradient g(rect().topLeft(), rect().topRight());
    g.setColorAt(0, active ? QColor(0, 0, 128) : QColor(128, 128, 128));
    g.setColorAt(1, active ? QColor(16, 132, 208) : QColor(192, 192, 192));
    p.fillRect(rect(), g);
    p.setFont(titleFont());
    p.setPen(active ? QColor(Qt::white) : inactiveText_);
    const QPoint origin = textOriginInWindow() - mapTo(window(), QPoint(0, 0));
    const int right = closeBox_->x() - 2;
    const QRect box(origin.x(), origin.y(), qMax(0, right - origin.x()), QFontMetrics(p.font()).height());
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               QFontMetrics(p.font()).elidedText(text_, Qt::ElideRight, box.width()));
}

void TTitleBar::resizeEvent(QResizeEvent*) {
    const int side = height() - 4;
    closeBox_->setGeometry(width() - side - 2, 2, side, side);
}

void TTitleBar::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    // The window manager moves the window where it can; elsewhere we do.
    QWindow* handle = window()->windowHandle();
    if (handle && handle->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = e->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void TTitleBar::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_) window()->move(e->globalPosition().toPoint() - dragOffset_);
}

void TTitleBar::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace orbel
