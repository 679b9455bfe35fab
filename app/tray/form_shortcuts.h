#pragma once
// The hidden window that holds the menu-break pictures and the click
// handler of item entries.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

#include "app/images/image_lists.h"

class QPainter;
class QRect;

namespace orbel {

class ImageLists;
class Launcher;
class MenuEntry;
struct ItemTable;
struct Settings;

// What the handlers read, all of it the program's and kept there: every
// call sees the settings and colours in effect.
struct MenuLook {
    const Settings& settings;
    const ItemTable& table;
    const ImageLists& images;
    const QColor& menuColour;
    const QColor& systemColour;
};

class TFormShortCuts : public QWidget {
    Q_OBJECT
public:
    // The launcher opens the items the entries stand for.
    TFormShortCuts(MenuLook look, const Launcher& launcher);
    // The ground of entries drawn by the program.
    const QColor& menuColour() const { return look_.menuColour; }

    // The break pictures, drawn when asked for (drawing them loads a font
    // the tray does not need at start).
    QImage ImageBreak3Small() const { return ImageLists::BreakImage(1, QSize(16, 16)); }
    QImage ImageBreak4Small() const { return ImageLists::BreakImage(2, QSize(16, 16)); }
    QImage ImageBreak5Small() const { return ImageLists::BreakImage(3, QSize(16, 16)); }
    QImage ImageBreak3Large() const { return ImageLists::BreakImage(1, QSize(16, 18)); }
    QImage ImageBreak4Large() const { return ImageLists::BreakImage(2, QSize(16, 18)); }
    QImage ImageBreak5Large() const { return ImageLists::BreakImage(3, QSize(16, 18)); }

    // Opens the item whose number the entry carries.
    void NorItemsRTClickItem(const MenuEntry& sender);
    // The same by the item's number; true when it started.
    bool OpenItemNumber(int itemNumber) const;

    // The program's drawing of menu entries. They keep no state: every call
    // reads the settings and colours in effect. Rectangles are the entry's,
    // in the menu's coordinates. The measure takes the menu it measures for
    // (none: the screen's default), so that a caption is measured in the
    // font its drawing there gets.
    void NorItemsRTMeasureItem(const MenuEntry& sender, QFont& canvasFont, int& width, int& height,
                               const QWidget* canvas = nullptr) const;
    void NorItemsRTDrawItem(const MenuEntry& sender, QPainter& canvas, const QRect& rect, bool selected) const;
    void SpeItemsRTDrawItem(const MenuEntry& sender, QPainter& canvas, const QRect& rect, bool selected) const;

private:
    MenuLook look_;
    const Launcher& launcher_;
};

}  // namespace orbel
