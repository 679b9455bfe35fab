#include "app/widgets/status_notifier_adaptor.h"

#include <QCoreApplication>
#include <QDBusMetaType>

namespace orbel {

QDBusArgument& operator<<(QDBusArgument& arg, const SniPixmap& p) {
    arg.beginStructure();
    arg << p.width << p.height << p.bytes;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniPixmap& p) {
    arg.beginStructure();
    arg >> p.width >> p.height >> p.bytes;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const SniToolTip& t) {
    arg.beginStructure();
    arg << t.iconName << t.pixmaps << t.title << t.text;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, SniToolTip& t) {
    arg.beginStructure();
    arg >> t.iconName >> t.pixmaps >> t.title >> t.text;
    arg.endStructure();
    return arg;
}

StatusNotifierItemAdaptor::StatusNotifierItemAdaptor(QObject* object, StatusNotifierSource* source)
    : QDBusAbstractAdaptor(object), source_(source) {
    qDBusRegisterMetaType<SniPixmap>();
    qDBusRegisterMetaType<SniPixmapList>();
    qDBusRegisterMetaType<SniToolTip>();
    setAutoRelaySignals(false);
}

QString StatusNotifierItemAdaptor::id() const { return QCoreApplication::applicationName(); }

QDBusObjectPath StatusNotifierItemAdaptor::menu() const {
    const QString path = source_->menuPath();
    return QDBusObjectPath(path.isEmpty() ? QStringLiteral("/NO_DBUSMENU") : path);
}

SniToolTip StatusNotifierItemAdaptor::toolTip() const {
    // Without a tip the title stays empty too, so hosts show none.
    return SniToolTip{QString(), {}, source_->toolTipText(), QString()};
}

void StatusNotifierItemAdaptor::ContextMenu(int x, int y) { source_->requestContextMenu(x, y); }
void StatusNotifierItemAdaptor::Activate(int x, int y, const QDBusMessage& call) {
    if (source_->itemIsMenu() && !source_->calledByGnomeShell(call)) {
        // A Wayland client cannot open its popup at the pointer. Plasma
        // calls Activate on a left press even for an item that is a menu,
        // and draws the exported menu only when the call fails. GNOME's
        // host opens the menu on a single press and calls Activate for a
        // double one, where a refusal would leave the press unanswered.
        call.setDelayedReply(true);
        source_->answer(call.createErrorReply(QStringLiteral("org.freedesktop.DBus.Error.NotSupported"),
                                              QStringLiteral("The host shows the menu")));
        return;
    }
    source_->requestActivate(x, y);
}
void StatusNotifierItemAdaptor::SecondaryActivate(int x, int y) { source_->requestSecondaryActivate(x, y); }
void StatusNotifierItemAdaptor::Scroll(int, const QString&) {}

}  // namespace orbel
