#pragma once
// The two image lists as pictures: each description of the image table is
// rendered once, when first shown, in the menu size (16 x 16, on button
// face) and the tree size (16 x 18, on white, the icon one row lower).

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <memory>

#include "app/images/item_icons.h"
#include "core/store/image_table.h"

namespace orbel {

namespace platform {
class Platform;
}

class ImageLists {
public:
    // table and counters must outlive this object; the platform draws the
    // icons of file types and captured files.
    ImageLists(const ImageTable& table, const int& defaultProgramImage, platform::Platform& platform);
    ~ImageLists();

    QPixmap menuImage(int index) const;  // ILAllPublicPM, 16 x 16
    // The same for a surface of that pixel ratio: the program's own
    // drawings drawn for its device pixels, other pictures as above.
    QPixmap menuImage(int index, qreal ratio) const;
    QImage treeImage(int index) const;  // ILAllPublicTV, 16 x 18
    QIcon menuIcon(int index) const;
    int count() const { return table_.count(); }

    // The desktop's icons for items, shown in place of their stored
    // pictures (none: the stored pictures only).
    void setItemIcons(std::unique_ptr<ItemIcons> icons);
    ItemIcons* itemIcons() const { return itemIcons_.get(); }
    // The desktop's icon of an item; Stored when it has none.
    ItemIcon desktopIcon(int itemNumber) const;
    // What an item's entry shows: the desktop's icon, else image imageIndex.
    QIcon entryIcon(int itemNumber, int imageIndex) const;
    // The same as a 16 x 16 picture for a surface of that pixel ratio:
    // a desktop icon drawn for its device pixels, else the stored picture.
    QPixmap entryPixmap(int itemNumber, int imageIndex, qreal devicePixelRatio) const;
    // A tree node's picture (16 x 18, on white) for the screens' pixel
    // ratios, when the desktop has an icon for its item; null otherwise.
    QIcon treeIcon(int itemNumber, bool dimmed) const;

    void setMenuColour(const QColor& c) {
        menuColour_ = c;
        menuCache_.clear();
        menuLargeCache_.clear();
    }
    QColor menuColour() const { return menuColour_; }
    // Renders every image now (a save reads them before the store moves).
    void resolveAll() const;
    void dropCache();

    // The fixed images that come with the form, and the tray picture.
    // ratio: device pixels per pixel of the 16-pixel grid (the image
    // carries it); sizes other than 16 x 16 are for ratio 1 only.
    static QImage FormImage(int number, QSize size, qreal ratio = 1.0);
    static QImage BreakImage(int number, QSize size, qreal ratio = 1.0);
    static QIcon ProgramIcon();
    // The tray picture in the sizes of window icons.
    static QIcon WindowIcon();

private:
    QImage sourceIcon(const ImageRef& ref, int depth) const;

    const ImageTable& table_;
    const int& defaultProgramImage_;
    platform::Platform& platform_;
    QColor menuColour_;
    mutable QHash<quint64, QPixmap> menuCache_;
    mutable QHash<quint64, QPixmap> menuLargeCache_;
    mutable QHash<quint64, QImage> treeCache_;
    mutable QHash<quint64, QImage> sourceCache_;
    std::unique_ptr<ItemIcons> itemIcons_;
};

}  // namespace orbel
