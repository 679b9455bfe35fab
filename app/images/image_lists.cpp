#include "app/images/image_lists.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QIconEngine>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "app/images/program_icon.h"
#include "core/store/file_kinds.h"
#include "platform/platform.h"

namespace orbel {

ImageLists::ImageLists(const ImageTable& table, const int& defaultProgramImage, platform::Platform& platform)
    : table_(table),
      defaultProgramImage_(defaultProgramImage),
      platform_(platform),
      menuColour_(QApplication::palette().color(QPalette::Button)) {}

ImageLists::~ImageLists() = default;

void ImageLists::dropCache() {
    menuCache_.clear();
    menuLargeCache_.clear();
    treeCache_.clear();
    sourceCache_.clear();
    if (itemIcons_) itemIcons_->clear();
}

void ImageLists::setItemIcons(std::unique_ptr<ItemIcons> icons) { itemIcons_ = std::move(icons); }

ItemIcon ImageLists::desktopIcon(int itemNumber) const {
    if (!itemIcons_ || itemNumber < 0) return {};
    return itemIcons_->forItem(itemNumber);
}

QIcon ImageLists::entryIcon(int itemNumber, int imageIndex) const {
    const ItemIcon d = desktopIcon(itemNumber);
    return d.icon.isNull() ? menuIcon(imageIndex) : d.icon;
}

QPixmap ImageLists::entryPixmap(int itemNumber, int imageIndex, qreal devicePixelRatio) const {
    if (itemIcons_ && itemNumber >= 0) {
        const QPixmap pm = itemIcons_->pixmap(itemNumber, QSize(16, 16), devicePixelRatio);
        if (!pm.isNull()) return pm;
    }
    return menuImage(imageIndex, devicePixelRatio);
}

namespace {

// A tree picture made from a desktop icon, drawn when and as large as the
// view asks: the icon on white, one row below the top, as stored pictures
// sit in the tree.
class TreePictureEngine final : public QIconEngine {
public:
    TreePictureEngine(QIcon icon, bool dimmed) : icon_(std::move(icon)), dimmed_(dimmed) {}

    // size is in device pixels: the view's 16 x 18 at its pixel ratio.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap canvas(size);
        canvas.fill(Qt::white);
        const qreal unit = size.height() / 18.0;
        const int side = qRound(16 * unit);
        QPainter p(&canvas);
        if (dimmed_) p.setOpacity(0.45);  // a node on the clipboard after Cut
        p.drawPixmap(QRect((size.width() - side) / 2, qRound(unit), side, side), icon_.pixmap(QSize(side, side)));
        p.end();
        if (mode == QIcon::Normal) return canvas;
        QStyleOption opt;
        opt.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, canvas, &opt);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = pixmap(rect.size() * ratio, mode, state);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new TreePictureEngine(icon_, dimmed_); }

private:
    QIcon icon_;
    bool dimmed_;
};

}  // namespace

QIcon ImageLists::treeIcon(int itemNumber, bool dimmed) const {
    if (!itemIcons_ || itemNumber < 0) return {};
    const ItemIcon d = itemIcons_->forItem(itemNumber);
    if (d.icon.isNull()) return {};
    return QIcon(new TreePictureEngine(d.icon, dimmed));
}

namespace {

QImage IconImage(const platform::SmallIcon& icon) {
    QImage img(platform::SmallIcon::kSize, platform::SmallIcon::kSize, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < img.height(); ++y)
        std::copy_n(icon.pixels.begin() + y * img.width(), img.width(), reinterpret_cast<QRgb*>(img.scanLine(y)));
    return img;
}

void DrawFolder(QPainter& p, bool open, QColor fill) {
    p.setPen(QColor(128, 100, 0));
    p.setBrush(QColor(230, 190, 60));
    p.drawRect(1, 3, 6, 2);
    p.setBrush(fill);
    if (open) {
        QPolygon poly({QPoint(1, 5), QPoint(12, 5), QPoint(12, 7), QPoint(15, 7), QPoint(12, 14), QPoint(1, 14)});
        p.drawPolygon(poly);
    } else {
        p.drawRect(1, 5, 13, 9);
    }
}

void DrawDottedLine(QPainter& p, bool dashedEnd) {
    p.setPen(QColor(96, 96, 96));
    for (int x = 1; x < (dashedEnd ? 10 : 15); x += 2) p.drawPoint(x, 8);
    if (dashedEnd) {
        p.drawLine(10, 8, 11, 8);
        p.drawLine(13, 8, 14, 8);
    }
}

void DrawBoxedDigit(QPainter& p, int digit, QColor colour) {
    p.setPen(colour);
    p.setBrush(Qt::NoBrush);
    p.drawRect(2, 2, 11, 11);
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(2, 2, 12, 12), Qt::AlignCenter, QString::number(digit));
}

}  // namespace

QImage ImageLists::FormImage(int number, QSize size, qreal ratio) {
    // Drawn on the 16-pixel grid; a ratio above 1 draws the same picture
    // with that many device pixels per unit.
    QImage img(QSize(16, 16) * ratio, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::transparent);
    QPainter p(&img);
    switch (number) {
    case img::Folder: DrawFolder(p, false, QColor(250, 215, 90)); break;
    case img::OpenFolder: DrawFolder(p, true, QColor(250, 225, 120)); break;
    case img::BuiltIn:
    case img::PlainSeparator: DrawDottedLine(p, false); break;
    case img::TextSeparator: DrawDottedLine(p, true); break;
    case img::TopMarker: {
        // The word TOP in a frame, drawn in 3 x 5 pixel letters so it fits.
        p.setPen(QColor(0, 0, 128));
        p.drawRect(0, 3, 15, 9);
        static const char* const glyphs[3] = {"111010010010010", "111101101101111", "111101111100100"};
        for (int g = 0; g < 3; ++g)
            for (int i = 0; i < 15; ++i)
                if (glyphs[g][i] == '1') p.drawPoint(2 + g * 4 + i % 3, 5 + i / 3);
        break;
    }
    case img::NoExtension: DrawFolder(p, false, QColor(245, 240, 215)); break;
    case img::Digit1: DrawBoxedDigit(p, 1, QColor(0, 96, 0)); break;
    case img::Digit2: DrawBoxedDigit(p, 2, QColor(0, 96, 0)); break;
    case img::HelpBook:
        p.setPen(QColor(0, 0, 96));
        p.setBrush(QColor(40, 80, 200));
        p.drawRect(3, 1, 10, 14);
        p.setPen(Qt::white);
        p.drawText(QRect(3, 1, 11, 14), Qt::AlignCenter, "?");
        break;
    case img::Manage:
        p.setPen(QColor(80, 80, 80));
        p.setBrush(QColor(250, 200, 0));
        p.drawChord(QRect(2, 2, 12, 10), 0, 180 * 16);
        p.drawRect(1, 7, 14, 2);
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.drawLine(4, 14, 11, 10);
        break;
    case img::Gear: {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QColor(60, 60, 60));
        p.setBrush(QColor(150, 150, 160));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(45.0 * i);
            p.drawRect(-1, -8, 2, 3);
            p.restore();
        }
        p.drawEllipse(QPoint(8, 8), 5, 5);
        p.setBrush(Qt::white);
        p.drawEllipse(QPoint(8, 8), 2, 2);
        break;
    }
    default: break;
    }
    p.end();
    return size == img.deviceIndependentSize().toSize() ? img : img.scaled(size);
}

QImage ImageLists::BreakImage(int number, QSize size, qreal ratio) {
    QImage img(QSize(16, 16) * ratio, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::transparent);
    QPainter p(&img);
    DrawBoxedDigit(p, number + 2, QColor(128, 0, 0));
    p.end();
    return size == img.deviceIndependentSize().toSize() ? img : img.scaled(size);
}

QIcon ImageLists::ProgramIcon() { return QIcon(QPixmap::fromImage(ProgramIconImage(32))); }

QIcon ImageLists::WindowIcon() {
    // The sizes desktops ask a window's icon for, each drawn for its size.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

QImage ImageLists::sourceIcon(const ImageRef& ref, int depth) const {
    auto it = sourceCache_.find(ref.serial);
    if (it != sourceCache_.end()) return *it;
    QImage out;
    switch (ref.kind) {
    case ImageRef::Kind::Fixed: out = FormImage(ref.number, QSize(16, 16)); break;
    case ImageRef::Kind::Break: out = BreakImage(ref.number, QSize(16, 16)); break;
    case ImageRef::Kind::Extension: out = IconImage(platform_.FileTypeIcon(ref.source)); break;
    case ImageRef::Kind::Captured: out = IconImage(platform_.FileIcon(ref.source)); break;
    case ImageRef::Kind::Bitmap: {
        QImage bmp(QString::fromStdString(table_.file(ref)));
        if (!bmp.isNull()) {
            // The bitmap serves as its own mask: its white background shows
            // through in menus (and is white again on the tree's white).
            out = bmp.convertToFormat(QImage::Format_ARGB32).copy(0, 0, 16, 16);
            for (int y = 0; y < out.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
                for (int x = 0; x < out.width(); ++x)
                    if ((row[x] & 0xffffff) == 0xffffff) row[x] = 0;
            }
            out = out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        } else if (depth == 0 && table_.valid(defaultProgramImage_) &&
                   table_.at(defaultProgramImage_).kind != ImageRef::Kind::Bitmap) {
            // An unreadable bitmap shows the default program image.
            out = sourceIcon(table_.at(defaultProgramImage_), depth + 1);
        } else {
            out = IconImage(platform_.FileTypeIcon(std::string(ExtensionName(ExtensionKind::Program))));
        }
        break;
    }
    }
    sourceCache_.insert(ref.serial, out);
    return out;
}

QPixmap ImageLists::menuImage(int index) const {
    if (!table_.valid(index)) return {};
    const ImageRef& ref = table_.at(index);
    auto it = menuCache_.find(ref.serial);
    if (it != menuCache_.end()) return *it;
    QImage canvas(16, 16, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    p.drawImage(0, 0, sourceIcon(ref, 0));
    p.end();
    QPixmap pm = QPixmap::fromImage(canvas);
    menuCache_.insert(ref.serial, pm);
    return pm;
}

QPixmap ImageLists::menuImage(int index, qreal ratio) const {
    if (ratio <= 1.0 || !table_.valid(index)) return menuImage(index);
    const ImageRef& ref = table_.at(index);
    // Only the program's own drawings have more to give than 16 pixels.
    if (ref.kind != ImageRef::Kind::Fixed && ref.kind != ImageRef::Kind::Break) return menuImage(index);
    const quint64 key = ref.serial << 8 | (quint64(qRound(ratio * 16)) & 0xff);
    auto it = menuLargeCache_.find(key);
    if (it != menuLargeCache_.end()) return *it;
    const QImage img = ref.kind == ImageRef::Kind::Fixed ? FormImage(ref.number, QSize(16, 16), ratio)
                                                         : BreakImage(ref.number, QSize(16, 16), ratio);
    const QPixmap pm = QPixmap::fromImage(img);
    menuLargeCache_.insert(key, pm);
    return pm;
}

QIcon ImageLists::menuIcon(int index) const {
    QPixmap pm = menuImage(index);
    if (pm.isNull()) return QIcon();
    QIcon icon(pm);
    // The program's drawings also for a 2x screen (others are 16 pixels).
    const QPixmap large = menuImage(index, 2.0);
    if (large.devicePixelRatio() > 1.0) icon.addPixmap(large);
    return icon;
}

QImage ImageLists::treeImage(int index) const {
    if (!table_.valid(index)) return {};
    const ImageRef& ref = table_.at(index);
    auto it = treeCache_.find(ref.serial);
    if (it != treeCache_.end()) return *it;
    // Tree pictures are 16 x 18 on white with the icon in rows 1 to 16.
    QImage canvas(16, 18, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    p.drawImage(0, 1, sourceIcon(ref, 0));
    p.end();
    treeCache_.insert(ref.serial, canvas);
    return canvas;
}

void ImageLists::resolveAll() const {
    for (int i = 0; i < table_.count(); ++i) treeImage(i);
}

}  // namespace orbel
