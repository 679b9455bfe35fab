#pragma once
// The hidden window that holds the menu-break pictures and the click
// handler of item entries.

#include <QFont>
#include <QImage>
#include <QWidget>

class QPainter;
class QRect;

namespace orbel {

class MenuEntry;

class TFormShortCuts : public QWidget {
    Q_OBJECT
public:
    TFormShortCuts();

    QImage ImageBreak3Small, ImageBreak4Small, ImageBreak5Small;  // 16 x 16
    QImage ImageBreak3Large, ImageBreak4Large, ImageBreak5Large;  // 16 x 18

    // Opens the item whose number the entry carries.
    void NorItemsRTClickItem(const MenuEntry& sender);

    // The program's drawing of menu entries. They keep no state: every call
    // reads the settings and colours in effect. Rectangles are the entry's,
    // in the menu's coordinates.
    void NorItemsRTMeasureItem(const MenuEntry& sender, QFont& canvasFont, int& width, int& height) const;
    void NorItemsRTDrawItem(const MenuEntry& sender, QPainter& canvas, const QRect& rect, bool selected) const;
    void SpeItemsRTDrawItem(const MenuEntry& sender, QPainter& canvas, const QRect& rect, bool selected) const;
};

}  // namespace orbel
