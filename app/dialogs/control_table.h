#pragma once
// A dialog's hand-placed controls as a table, one row a control: the member
// that holds it (its type is the control's kind), its object name, the
// control it stands in, its designed rectangle, its caption, its hint and
// how it looks. The rows are made in the table's order, which is the order
// in which siblings stack.

#include <QList>
#include <QRect>
#include <QString>

#include <initializer_list>
#include <type_traits>

class QWidget;

namespace orbel {

// The member a row's control goes to; it makes the control of its type.
class ControlSlot {
public:
    // Not explicit: a row names the member itself.
    template <class W> ControlSlot(W*& field) : field_(&field), make_(&Make<W>) {}
    QWidget* make(QWidget* parent) const { return make_(field_, parent); }

private:
    template <class W> static QWidget* Make(void* field, QWidget* parent) {
        W*& w = *static_cast<W**>(field);
        // Some group boxes take their title before their parent.
        if constexpr (std::is_constructible_v<W, QWidget*>) w = new W(parent);
        else w = new W(QString(), parent);
        return w;
    }

    void* field_;
    QWidget* (*make_)(void* field, QWidget* parent);
};

// How a control looks beyond its kind; flags of a row.
enum ControlLook : unsigned {
    Plain = 0,
    Disabled = 1 << 0,
    // A box that only shows a text: read only, without a frame, focused by
    // a click only.
    ShowsText = 1 << 1,
    Centred = 1 << 2,
    Bold = 1 << 3,
    // A frame drawn as the style's panel, or as a raised one.
    StyledPanel = 1 << 4,
    RaisedPanel = 1 << 5,
    // A frame drawn as a sunken horizontal line.
    SunkenRule = 1 << 6,
};

struct ControlRow {
    ControlSlot slot;
    const char* name;
    // The object name of a control made before it (an earlier row, or one
    // already in the container); nullptr for the container itself.
    const char* parent;
    // A rectangle without a size: the control takes the size its caption
    // needs, at that place.
    QRect geometry;
    QString caption = QString();
    // The tooltip, which the status line also shows while the pointer rests
    // on the control.
    const char* hint = nullptr;
    unsigned look = Plain;
};

// Makes the rows' controls in container; returns them in the table's order.
QList<QWidget*> BuildControls(QWidget* container, std::initializer_list<ControlRow> rows);

}  // namespace orbel
