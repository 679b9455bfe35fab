#include "app/images/program_icon.h"

#include <QPainter>
#include <QRadialGradient>

namespace orbel {

QImage ProgramIconImage(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QRadialGradient g(QPointF(12, 11), 16);
    g.setColorAt(0, QColor(140, 200, 255));
    g.setColorAt(1, QColor(0, 40, 140));
    p.setBrush(g);
    p.setPen(QPen(QColor(0, 20, 80), 1.5));
    p.drawEllipse(QRectF(2, 2, 28, 28));
    p.setPen(QPen(QColor(255, 215, 0), 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8, 8, 16, 16));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 160));
    p.drawEllipse(QRectF(13, 13, 6, 6));
    p.end();
    return img;
}

}  // namespace orbel
