// The item where there is no session bus (Windows): no host ever comes, so
// the icon always goes to the system's own tray.
#include "app/widgets/status_notifier_item.h"

namespace orbel {

StatusNotifierItem::StatusNotifierItem(Clock& clock, QObject* parent)
    : QObject(parent), check_(clock, nullptr), retry_(clock, nullptr), hostKnown_(true) {}

StatusNotifierItem::~StatusNotifierItem() = default;

bool StatusNotifierItem::usable() const { return false; }
bool StatusNotifierItem::askHostNow() { return false; }
void StatusNotifierItem::setTitle(const QString& title) { title_ = title; }
void StatusNotifierItem::setIcon(const QIcon& icon) { icon_ = icon; }
void StatusNotifierItem::setToolTip(const QString& text) { toolTip_ = text; }
void StatusNotifierItem::setMenuObject(QObject* menu) { menu_ = menu; }
void StatusNotifierItem::show() { showWanted_ = true; }
void StatusNotifierItem::hide() { showWanted_ = false; }
SniPixmapList StatusNotifierItem::pixmaps() const { return {}; }
QString StatusNotifierItem::menuPath() const { return {}; }
void StatusNotifierItem::answer(const QDBusMessage&) const {}
bool StatusNotifierItem::calledByGnomeShell(const QDBusMessage&) const { return false; }
void StatusNotifierItem::hostSignal() {}
void StatusNotifierItem::itemUnregistered(const QString&) {}

}  // namespace orbel
