#pragma once
// The two image lists as pictures: each description of the image table is
// rendered once, when first shown, in the menu size (16 x 16, on button
// face) and the tree size (16 x 18, on white, the icon one row lower).

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include "core/store/image_table.h"

namespace orbel {

class ImageLists {
public:
    // table and counters must outlive this object.
    ImageLists(const ImageTable& table, const int& defaultProgramImage);

    QPixmap menuImage(int index) const;  // ILAllPublicPM, 16 x 16
    QImage treeImage(int index) const;   // ILAllPublicTV, 16 x 18
    QIcon menuIcon(int index) const;
    int count() const { return table_.count(); }

    void setMenuColour(const QColor& c) {
        menuColour_ = c;
        menuCache_.clear();
    }
    QColor menuColour() const { return menuColour_; }
    // Renders every image now (a save reads them before the store moves).
    void resolveAll() const;
    void dropCache();

    // The fixed images that come with the form, and the tray picture.
    static QImage FormImage(int number, QSize size);
    static QImage BreakImage(int number, QSize size);
    static QIcon ProgramIcon();
    // The tray picture in the sizes of window icons.
    static QIcon WindowIcon();

private:
    QImage sourceIcon(const ImageRef& ref, int depth) const;

    const ImageTable& table_;
    const int& defaultProgramImage_;
    QColor menuColour_;
    mutable QHash<quint64, QPixmap> menuCache_;
    mutable QHash<quint64, QImage> treeCache_;
    mutable QHash<quint64, QImage> sourceCache_;
};

}  // namespace orbel
