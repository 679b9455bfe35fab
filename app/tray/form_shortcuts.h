#pragma once
// The hidden window that holds the menu-break pictures and the click
// handler of item entries.

#include <QImage>
#include <QWidget>

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
};

}  // namespace orbel
