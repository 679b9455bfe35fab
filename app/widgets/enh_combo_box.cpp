#include "app/widgets/enh_combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <qdrawutil.h>

namespace orbel {

TEnhComboBox::TEnhComboBox(QWidget* parent) : QComboBox(parent) {
    buttonWidth_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) + 1;
    color_ = palette().color(QPalette::Base);
}

void TEnhComboBox::setFlat(bool on) {
    flat_ = on;
    update();
}

void TEnhComboBox::setAlwaysShowBorder(bool on) {
    alwaysShowBorder_ = on;
    update();
}

void TEnhComboBox::setShowBorderWhenInactive(bool on) {
    showBorderWhenInactive_ = on;
    update();
}

void TEnhComboBox::setAutoDropDownWidth(bool on) {
    autoDropDownWidth_ = on;
    if (on) autoHorizontalScroll_ = false;
}

void TEnhComboBox::setAutoHorizontalScroll(bool on) {
    autoHorizontalScroll_ = on;
    if (on) autoDropDownWidth_ = false;
}

void TEnhComboBox::setDropDownWidth(int w) {
    if (view()->isVisible()) hidePopup();
    dropDownWidth_ = qMax(0, w);
}

void TEnhComboBox::setHorizontalExtent(int w) {
    if (view()->isVisible()) hidePopup();
    horizontalExtent_ = qMax(0, w);
    // The list scrolls sideways once its entries are wider than it is.
    view()->setHorizontalScrollBarPolicy(horizontalExtent_ > 0 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TEnhComboBox::setColor(const QColor& c) {
    color_ = c;
    applyColour(isEnabled() ? c : palette().color(QPalette::Button));
}

void TEnhComboBox::applyColour(const QColor& c) {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, c);
    setPalette(pal);
    update();
}

QSize TEnhComboBox::MeasureItemText(int index) const {
    if (index < 0 || index >= count()) return QSize(0, 0);
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(itemText(index)), fm.height());
}

bool TEnhComboBox::BorderVisible() const {
    if (alwaysShowBorder_) return true;
    if (!mouseInside_ && !hasFocus()) return false;
    return showBorderWhenInactive_ || QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void TEnhComboBox::showPopup() {
    if (autoDropDownWidth_ || autoHorizontalScroll_) {
        int m = 0;
        for (int i = 0; i < count(); ++i) m = qMax(m, MeasureItemText(i).width());
        if (autoDropDownWidth_) {
            int w = m + 8;
            // Room for the scroll bar when the list will scroll.
            if (count() > maxVisibleItems()) w += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
            setDropDownWidth(w);
        }
        if (autoHorizontalScroll_) setHorizontalExtent(m + 8);
    }
    QComboBox::showPopup();
    fitPopup();
    pushed_ = true;
    update();
}

void TEnhComboBox::fitPopup() {
    QWidget* popup = view()->window();
    if (!popup || popup == window()) return;
    QRect g = popup->geometry();
    g.setWidth(DropDownWidth());
    // A list widened past the screen's edge moves back onto it.
    if (const QScreen* s = screen()) {
        const QRect avail = s->availableGeometry();
        if (g.right() > avail.right()) g.moveRight(avail.right());
        if (g.left() < avail.left()) g.moveLeft(avail.left());
    }
    popup->setGeometry(g);
}

void TEnhComboBox::hidePopup() {
    QComboBox::hidePopup();
    pushed_ = false;
    update();
    emit OnCloseUp();
}

void TEnhComboBox::changeEvent(QEvent* e) {
    QComboBox::changeEvent(e);
    if (e->type() == QEvent::EnabledChange && flat_)
        applyColour(isEnabled() ? color_ : palette().color(QPalette::Button));
}

void TEnhComboBox::mousePressEvent(QMouseEvent* e) {
    // A pick-only box pushes its button wherever it is pressed.
    if (flat_ && e->button() == Qt::LeftButton) {
        pushed_ = true;
        update();
    }
    QComboBox::mousePressEvent(e);
    if (!buttonStaysPushed_ && !view()->isVisible()) {
        pushed_ = false;
        update();
    }
}

void TEnhComboBox::keyPressEvent(QKeyEvent* e) {
    if (extendedInterface_ && !(e->modifiers() & Qt::AltModifier)) {
        if (e->key() == Qt::Key_F4) {
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Down) {
            showPopup();
            e->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(e);
}

void TEnhComboBox::enterEvent(QEnterEvent* e) {
    QComboBox::enterEvent(e);
    if (tooltip_) {
        const bool clipped = MeasureItemText(currentIndex()).width() > width() - buttonWidth_;
        setToolTip(clipped ? currentText() : QString());
    }
    mouseInside_ = true;
    update();
}

void TEnhComboBox::leaveEvent(QEvent* e) {
    QComboBox::leaveEvent(e);
    mouseInside_ = false;
    update();
}

void TEnhComboBox::focusInEvent(QFocusEvent* e) {
    QComboBox::focusInEvent(e);
    update();
}

void TEnhComboBox::focusOutEvent(QFocusEvent* e) {
    QComboBox::focusOutEvent(e);
    mouseInside_ = false;
    update();
}

void TEnhComboBox::paintEvent(QPaintEvent* e) {
    if (!flat_) return QComboBox::paintEvent(e);
    QPainter p(this);
    const QPalette& pal = palette();
    const QRect r = rect();
    const QColor face = pal.color(QPalette::Button);
    const QColor own = pal.color(QPalette::Base);

    // Content: the box's colour, the text, the focus highlight.
    p.fillRect(r, own);
    QRect content(r.left() + 2, r.top() + 2, r.width() - 4 - buttonWidth_, r.height() - 4);
    const bool focused = hasFocus() && !view()->isVisible();
    if (focused) p.fillRect(content.adjusted(1, 1, -1, -1), pal.color(QPalette::Highlight));
    p.setPen(!isEnabled() ? pal.color(QPalette::Disabled, QPalette::Text)
             : focused    ? pal.color(QPalette::HighlightedText)
                          : pal.color(QPalette::Text));
    p.drawText(content.adjusted(3, 0, -1, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
               fontMetrics().elidedText(currentText(), Qt::ElideRight, content.width() - 4));

    // Border: sunken when shown, else plain button-face frames.
    const bool border = BorderVisible();
    if (border) {
        qDrawWinPanel(&p, r, pal, true);
    } else {
        p.setPen(face);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }

    // Button column at the right, inside the border, parted from the text by
    // a strip of the box's colour.
    const QRect button(r.right() - 1 - buttonWidth_ + 1, r.top() + 2, buttonWidth_ - 1, r.height() - 4);
    p.fillRect(button, face);
    if (border) qDrawWinButton(&p, button, pal, pushed_);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = button.adjusted(3, 3, -3, -3).translated(pushed_ ? 1 : 0, pushed_ ? 1 : 0);
    arrow.palette.setColor(QPalette::ButtonText, isEnabled() ? pal.color(QPalette::ButtonText)
                                                             : pal.color(QPalette::Disabled, QPalette::ButtonText));
    style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &p, this);
}

}  // namespace orbel
