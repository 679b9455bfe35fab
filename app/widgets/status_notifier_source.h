#pragma once
// What the bus adaptor of the tray item reads and asks for, and the
// pictures and tip it sends in the shapes the tray hosts read.

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

class QDBusMessage;

namespace orbel {

// (iiay): one picture of the icon, ARGB32 in network byte order.
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray bytes;
};
using SniPixmapList = QList<SniPixmap>;
// (sa(iiay)ss): icon name, pictures, title, text.
struct SniToolTip {
    QString iconName;
    SniPixmapList pixmaps;
    QString title;
    QString text;
};

class StatusNotifierSource {
public:
    virtual QString title() const = 0;
    virtual QString toolTipText() const = 0;
    virtual bool itemIsMenu() const = 0;
    virtual SniPixmapList pixmaps() const = 0;
    // Where the item's menu is served; empty while it has none.
    virtual QString menuPath() const = 0;
    // Sends a reply on the item's own connection, the one the host called.
    virtual void answer(const QDBusMessage& reply) const = 0;
    // Whether the call comes from GNOME Shell's tray host.
    virtual bool calledByGnomeShell(const QDBusMessage& call) const = 0;

    // What the host asks: coordinates are the host's, often zero.
    virtual void requestActivate(int x, int y) = 0;
    virtual void requestContextMenu(int x, int y) = 0;
    virtual void requestSecondaryActivate(int x, int y) = 0;

protected:
    ~StatusNotifierSource() = default;
};

}  // namespace orbel

Q_DECLARE_METATYPE(orbel::SniPixmap)
Q_DECLARE_METATYPE(orbel::SniToolTip)
