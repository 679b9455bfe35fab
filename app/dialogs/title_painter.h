#pragma once
// The titles of the program's own drawing: the dialog's title bar in the
// font of the settings on the system colour.

#include <QColor>
#include <QString>

class QWidget;

namespace orbel {

struct Settings;

class TitlePainter {
public:
    // The program's settings and colour, which start-up fills later.
    TitlePainter(const Settings& settings, const QColor& systemColour)
        : settings_(settings), systemColour_(systemColour) {}

    // Nothing for a window without a title bar of its own.
    void PaintTitle(QWidget* window, const QString& title) const;

private:
    const Settings& settings_;
    const QColor& systemColour_;
};

}  // namespace orbel
