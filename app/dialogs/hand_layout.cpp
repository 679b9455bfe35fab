#include "app/dialogs/hand_layout.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>

namespace orbel {

QSize CaptionNeeds(const QWidget* w) {
    if (auto* b = qobject_cast<const QPushButton*>(w)) {
        // The style's own hint has a minimum width that would widen every
        // button; the text with the margins the style draws around it is
        // what must fit.
        QStyleOptionButton opt;
        opt.initFrom(b);
        if (b->autoDefault()) opt.features |= QStyleOptionButton::AutoDefaultButton;
        int frame = b->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, b);
        if (b->autoDefault()) frame += b->style()->pixelMetric(QStyle::PM_ButtonDefaultIndicator, &opt, b);
        const int margin = b->style()->pixelMetric(QStyle::PM_ButtonMargin, &opt, b);
        const QSize text = b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
        // A margin's room on either side, as a person expects of a button.
        return text + QSize(2 * (frame + margin), 2 * frame + margin);
    }
    const bool check = qobject_cast<const QCheckBox*>(w);
    if (check || qobject_cast<const QRadioButton*>(w)) {
        // The text's line in the room the style leaves it, or the box when
        // that is taller; the style's hint adds room for a focus frame the
        // caption does not need.
        QStyleOptionButton opt;
        opt.initFrom(w);
        const QStyle* s = w->style();
        const QRect text = s->subElementRect(check ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &opt,
                                             w);
        const int box = s->pixelMetric(check ? QStyle::PM_IndicatorHeight : QStyle::PM_ExclusiveIndicatorHeight, &opt,
                                       w);
        const QString caption = static_cast<const QAbstractButton*>(w)->text();
        const int line = w->fontMetrics().size(Qt::TextShowMnemonic, caption).height();
        return {w->sizeHint().width(), qMax(line + w->height() - text.height(), box)};
    }
    if (auto* e = qobject_cast<const QLineEdit*>(w)) {
        // The hint is as wide as a number of letters; the text is what counts.
        const QSize hint = e->sizeHint();
        const QFontMetrics fm = e->fontMetrics();
        return {hint.width() - 17 * fm.horizontalAdvance(QLatin1Char('x')) + fm.horizontalAdvance(e->text()),
                hint.height()};
    }
    if (auto* c = qobject_cast<const QComboBox*>(w)) {
        // The chosen entry's line, with the frame the style draws around it;
        // the entries themselves are the user's and may be any width.
        QStyleOptionComboBox opt;
        opt.initFrom(c);
        opt.editable = c->isEditable();
        const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
        return {0, c->fontMetrics().height() + c->height() - field.height()};
    }
    // The title of a group box with the style's room around it.
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->minimumSizeHint();
    // Labels measure their caption themselves; one centred in a frame also
    // keeps the room a framed label leaves beside an aligned caption on
    // both sides, so that the caption does not touch the frame.
    if (auto* l = qobject_cast<const QLabel*>(w); l && l->frameWidth() > 0 && (l->alignment() & Qt::AlignHCenter)) {
        const int room = l->indent() >= 0 ? l->indent()
                                          : l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - l->margin();
        return l->sizeHint() + QSize(2 * qMax(0, room), 0);
    }
    return w->sizeHint();
}

int GroupContentTop(const QGroupBox* box) {
    QStyleOptionGroupBox opt;
    opt.initFrom(box);
    opt.text = box->title();
    opt.lineWidth = 1;
    opt.textAlignment = box->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame | (box->title().isEmpty() ? QStyle::SC_None : QStyle::SC_GroupBoxLabel);
    const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
    return label.bottom() + 1;
}

void HandLayout::design(std::initializer_list<QWidget*> controls) {
    for (QWidget* w : controls) rects_.insert(w, w->geometry());
}

void HandLayout::design(const QList<QWidget*>& controls) {
    for (QWidget* w : controls) rects_.insert(w, w->geometry());
}

void HandLayout::designPlaces(std::initializer_list<QWidget*> controls) {
    for (QWidget* w : controls) rects_.insert(w, QRect(w->pos(), QSize(0, 0)));
}

QSize HandLayout::grown(const QWidget* w) const { return designed(w).size().expandedTo(CaptionNeeds(w)); }

int RowFlow::place(int designedTop, int gap) {
    const int top = qMax(designedTop + push_, bottom_ + (first_ ? 0 : gap));
    first_ = false;
    push_ = top - designedTop;
    return top;
}

void RowFlow::ends(const QWidget* w) { ends(w->geometry().bottom() + 1); }

}  // namespace orbel
