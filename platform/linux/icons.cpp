#include "platform/icons.h"

#include <QFile>
#include <QIcon>
#include <QFileInfo>
#include <QImage>
#include <QMimeDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <algorithm>

#include "core/store/program_kind.h"

namespace orbel::platform {
namespace {

enum class Shape { Document, Folder, Program };

// Drawn on a 16-unit grid and scaled, so every size looks the same.
void DrawShape(QPainter& p, Shape shape) {
    p.setRenderHint(QPainter::Antialiasing);
    const QColor outline(0x55, 0x55, 0x55);
    switch (shape) {
    case Shape::Document: {
        QPainterPath page;
        page.moveTo(3.5, 1.5);
        page.lineTo(9.5, 1.5);
        page.lineTo(12.5, 4.5);
        page.lineTo(12.5, 14.5);
        page.lineTo(3.5, 14.5);
        page.closeSubpath();
        p.setPen(QPen(outline, 1));
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.setBrush(QColor(0xdd, 0xdd, 0xdd));
        p.drawPolygon(QPolygonF({{9.5, 1.5}, {9.5, 4.5}, {12.5, 4.5}}));
        p.setPen(QPen(QColor(0x99, 0x99, 0x99), 1));
        for (double y : {7.5, 9.5, 11.5}) p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
        break;
    }
    case Shape::Folder: {
        p.setPen(QPen(QColor(0x9a, 0x73, 0x1d), 1));
        p.setBrush(QColor(0xe8, 0xc0, 0x5a));
        p.drawPolygon(QPolygonF({{1.5, 3.5}, {6.0, 3.5}, {7.5, 5.0}, {14.5, 5.0}, {14.5, 13.5}, {1.5, 13.5}}));
        p.setBrush(QColor(0xf6, 0xd7, 0x7e));
        p.drawRect(QRectF(1.5, 6.5, 13.0, 7.0));
        break;
    }
    case Shape::Program: {
        QPainterPath gear;
        const QPointF c(8, 8);
        const int teeth = 8;
        for (int i = 0; i < teeth * 2; ++i) {
            const double angle = i * M_PI / teeth;
            const double r = (i % 2 == 0) ? 7.0 : 5.2;
            const QPointF pt(c.x() + r * qCos(angle), c.y() + r * qSin(angle));
            i == 0 ? gear.moveTo(pt) : gear.lineTo(pt);
        }
        gear.closeSubpath();
        QPainterPath hole;
        hole.addEllipse(c, 2.2, 2.2);
        p.setPen(QPen(QColor(0x33, 0x44, 0x66), 1));
        p.setBrush(QColor(0x7d, 0x93, 0xb8));
        p.drawPath(gear.subtracted(hole));
        break;
    }
    }
}

QIcon DrawnIcon(Shape shape) {
    QIcon icon;
    for (int size : {16, 32}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.scale(size / 16.0, size / 16.0);
        DrawShape(p, shape);
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

bool Usable(const QIcon& icon) { return !icon.isNull() && !icon.availableSizes().isEmpty(); }

QIcon ThemeIcon(const QMimeType& type) {
    if (!type.isValid()) return {};
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (Usable(icon)) return icon;
    icon = QIcon::fromTheme(type.genericIconName());
    return Usable(icon) ? icon : QIcon();
}

Shape ShapeFor(const QMimeType& type) {
    if (type.inherits(QStringLiteral("application/x-executable")) ||
        type.inherits(QStringLiteral("application/x-ms-dos-executable")) ||
        type.inherits(QStringLiteral("application/x-desktop")))
        return Shape::Program;
    return Shape::Document;
}

SmallIcon IconOr(const QIcon& icon, Shape fallback) {
    QImage image(SmallIcon::kSize, SmallIcon::kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    (Usable(icon) ? icon : DrawnIcon(fallback)).paint(&p, image.rect());
    p.end();
    SmallIcon out;
    for (int y = 0; y < SmallIcon::kSize; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::copy(row, row + SmallIcon::kSize, out.pixels.begin() + y * SmallIcon::kSize);
    }
    return out;
}

}  // namespace

SmallIcon FileTypeIcon(const std::string& extensionText) {
    const QString extension = QString::fromStdString(extensionText);
    QMimeDatabase db;
    const QMimeType type = db.mimeTypeForFile(QStringLiteral("x.") + extension, QMimeDatabase::MatchExtension);
    return IconOr(ThemeIcon(type), ShapeFor(type));
}

SmallIcon FileIcon(const std::string& pathText) {
    const QString path = QString::fromStdString(pathText);
    const QFileInfo info(path);
    if (info.isDir()) return IconOr(QIcon::fromTheme(QStringLiteral("folder")), Shape::Folder);
    QMimeDatabase db;
    // Content is read only from regular files: a FIFO would block us.
    const QMimeType type = db.mimeTypeForFile(
        info, info.isFile() ? QMimeDatabase::MatchDefault : QMimeDatabase::MatchExtension);
    const bool program = IsProgramPath(QFile::encodeName(path).toStdString());
    QIcon icon = ThemeIcon(type);
    if (!Usable(icon) && program) icon = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    return IconOr(icon, program ? Shape::Program : ShapeFor(type));
}

}  // namespace orbel::platform
