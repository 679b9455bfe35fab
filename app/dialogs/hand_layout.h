#pragma once
// Controls placed by hand at designed rectangles, moved and grown so that
// every caption shows whole in the font the controls have now. At the font
// the dialogs were drawn for nothing moves; a caption that needs more room
// makes its control bigger, and the controls below or beside it move along.

#include <QHash>
#include <QList>
#include <QRect>
#include <QSize>

#include <initializer_list>

class QGroupBox;
class QWidget;

namespace orbel {

// The size a control needs to show its caption whole in its own font: the
// text of a label, check box, radio button or push button, the title of a
// group box, one line of a text box's text.
QSize CaptionNeeds(const QWidget* w);
// Where the controls inside a group box may begin: below its title.
int GroupContentTop(const QGroupBox* box);

class HandLayout {
public:
    // Takes each control's present geometry as its designed one.
    void design(std::initializer_list<QWidget*> controls);
    void design(const QList<QWidget*>& controls);
    // The same for controls sized to their caption: only the place counts.
    void designPlaces(std::initializer_list<QWidget*> controls);
    bool empty() const { return rects_.isEmpty(); }
    QRect designed(const QWidget* w) const { return rects_.value(w); }
    // The designed size, grown to what the caption needs.
    QSize grown(const QWidget* w) const;

private:
    QHash<const QWidget*, QRect> rects_;
};

// Rows placed from top to bottom. A row keeps its designed top, moved down
// as far as the rows before it were; where the rows placed so far reach
// lower than that (less a gap), it moves further, and so do the rows after it.
class RowFlow {
public:
    // Rows may begin at top.
    explicit RowFlow(int top) : bottom_(top) {}
    // The top for a row designed at designedTop, at least gap below the last.
    int place(int designedTop, int gap = 2);
    // A control placed in the current row ends at this y.
    void ends(int bottom) { bottom_ = qMax(bottom_, bottom); }
    void ends(const QWidget* w);
    // How far the rows have moved down so far.
    int push() const { return push_; }
    int bottom() const { return bottom_; }

private:
    int push_ = 0;
    int bottom_;
    // No gap is asked of the first row: its top is the container's edge.
    bool first_ = true;
};

}  // namespace orbel
