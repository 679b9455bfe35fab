#include "app/widgets/kv_win_group_box.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace orbel {

TkvWinGroupBox::TkvWinGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

QRect TkvWinGroupBox::CaptionRect() const {
    const QFontMetrics fm(font());
    const int h = fm.boundingRect(QStringLiteral("0")).height();
    const int w = fm.horizontalAdvance(title());
    const int left = layoutDirection() == Qt::RightToLeft ? width() - w - 8 : 8;
    return QRect(left, 0, w, qMax(h, fm.height()));
}

void TkvWinGroupBox::paintEvent(QPaintEvent* e) {
    if (isEnabled() || title().isEmpty()) return QGroupBox::paintEvent(e);
    // The frame as the style draws it, without its own caption; then the
    // caption etched: a highlight copy one pixel down and right, the shadow
    // copy on top.
    QStylePainter sp(this);
    QStyleOptionGroupBox opt;
    initStyleOption(&opt);
    const QRect styleLabel = style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, this);
    opt.subControls &= ~QStyle::SC_GroupBoxLabel;
    sp.drawComplexControl(QStyle::CC_GroupBox, opt);

    QRect r = CaptionRect();
    r.moveTop(styleLabel.top());
    // Clear what the frame drew behind the caption, as the stock caption does.
    sp.fillRect(r.adjusted(-1, 0, 2, 1), palette().color(backgroundRole()));
    const int flags = Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop;
    sp.setFont(font());
    sp.setPen(palette().color(QPalette::Active, QPalette::Light));
    sp.drawText(r.translated(1, 1), flags, title());
    sp.setPen(palette().color(QPalette::Active, QPalette::Dark));
    sp.drawText(r, flags, title());
}

void TkvWinGroupBox::changeEvent(QEvent* e) {
    QGroupBox::changeEvent(e);
    if (e->type() == QEvent::EnabledChange) update();
}

}  // namespace orbel
