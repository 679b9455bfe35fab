#include "app/tray/tray_menu_export.h"

#include <QBuffer>
#include <QDBusMetaType>
#include <QGuiApplication>
#include <QTimer>

#include "app/images/image_lists.h"
#include "app/tray/live_menu.h"
#include "app/tray/menu_publishing.h"
#include "app/widgets/sys_tray_icon.h"

namespace orbel {

// Marshalling of the interface's structures.
QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuLayoutItem& item) {
    arg.beginStructure();
    arg << item.id << item.properties;
    arg.beginArray(qMetaTypeId<QDBusVariant>());
    for (const QDBusVariant& child : item.children) arg << child;
    arg.endArray();
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuLayoutItem& item) {
    arg.beginStructure();
    arg >> item.id >> item.properties;
    item.children.clear();
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant v;
        arg >> v;
        item.children << v;
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItem& item) {
    arg.beginStructure();
    arg << item.id << item.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItem& item) {
    arg.beginStructure();
    arg >> item.id >> item.properties;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuItemKeys& item) {
    arg.beginStructure();
    arg << item.id << item.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuItemKeys& item) {
    arg.beginStructure();
    arg >> item.id >> item.properties;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DBusMenuEvent& e) {
    arg.beginStructure();
    arg << e.id << e.eventId << e.data << e.timestamp;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DBusMenuEvent& e) {
    arg.beginStructure();
    arg >> e.id >> e.eventId >> e.data >> e.timestamp;
    arg.endStructure();
    return arg;
}

void RegisterDBusMenuTypes() {
    static bool done = false;
    if (done) return;
    done = true;
    qDBusRegisterMetaType<DBusMenuLayoutItem>();
    qDBusRegisterMetaType<DBusMenuItem>();
    qDBusRegisterMetaType<DBusMenuItemList>();
    qDBusRegisterMetaType<DBusMenuItemKeys>();
    qDBusRegisterMetaType<DBusMenuItemKeysList>();
    qDBusRegisterMetaType<DBusMenuEvent>();
    qDBusRegisterMetaType<DBusMenuEventList>();
}

TrayMenuExport::TrayMenuExport(QObject* parent) : QObject(parent) { RegisterDBusMenuTypes(); }

void TrayMenuExport::setMenu(QMenu* menu) {
    auto* live = qobject_cast<LiveMenu*>(menu);
    if (live == menu_) return;
    if (menu_) disconnect(menu_, nullptr, this, nullptr);
    menu_ = live;
    if (menu_) connect(menu_, &LiveMenu::modelChanged, this, &TrayMenuExport::menuChanged);
    menuChanged();
}

void TrayMenuExport::setEnabled(bool on) {
    enabled_ = on;
    const unsigned before = model_.revision();
    model_.setEnabled(on && menu_ && menu_->root());
    if (model_.revision() != before) announce();
}

void TrayMenuExport::menuChanged() {
    // A rebuilt menu may bring other pictures behind the same indexes.
    icons_.clear();
    model_.setRoot(menu_ ? menu_->root() : nullptr);
    model_.setEnabled(enabled_ && menu_ && menu_->root());
    announce();
}

void TrayMenuExport::announce() { emit layoutUpdated(model_.revision(), 0); }

QByteArray TrayMenuExport::iconPng(const ExportedEntry& e, const QIcon& desktop) {
    // Stored pictures are kept by image, the desktop's icons by item.
    const int key = desktop.isNull() ? e.imageIndex : -1 - e.itemNumber;
    auto it = icons_.find(key);
    if (it != icons_.end()) return *it;
    QByteArray png;
    if (menu_) {
        // Hosts draw the picture at their own size: at least 32 pixels, so
        // a 2x panel has no smaller source to scale up. A 16-pixel bitmap
        // is doubled pixel for pixel, which halves back to itself.
        constexpr int kSize = 32;
        QImage image = desktop.isNull() ? menu_->images().menuImage(e.imageIndex).toImage()
                                        : desktop.pixmap(QSize(kSize, kSize)).toImage();
        if (!image.isNull() && image.width() < kSize)
            image = image.scaled(kSize, kSize, Qt::KeepAspectRatio,
                                 desktop.isNull() ? Qt::FastTransformation : Qt::SmoothTransformation);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    icons_.insert(key, png);
    return png;
}

QVariantMap TrayMenuExport::properties(const ExportedEntry& e, const QStringList& names) {
    // Only values that differ from the interface's defaults are sent.
    QVariantMap p;
    auto wanted = [&](const char* name) { return names.isEmpty() || names.contains(QLatin1String(name)); };
    if (e.separator) {
        if (wanted("type")) p.insert("type", QStringLiteral("separator"));
        return p;
    }
    if (e.id != 0 && wanted("label")) p.insert("label", QString::fromStdString(e.label));
    if (!e.enabled && wanted("enabled")) p.insert("enabled", false);
    if (e.submenu && wanted("children-display")) p.insert("children-display", QStringLiteral("submenu"));
    if (e.imageIndex >= 0) {
        // An icon of the theme goes by its name: the host draws it sharp
        // at its own size from its own theme.
        const ItemIcon desktop = menu_ ? menu_->images().desktopIcon(e.itemNumber) : ItemIcon();
        if (!desktop.themeName.isEmpty()) {
            if (wanted("icon-name")) p.insert("icon-name", desktop.themeName);
        } else if (wanted("icon-data")) {
            const QByteArray png = iconPng(e, desktop.icon);
            if (!png.isEmpty()) p.insert("icon-data", png);
        }
    }
    return p;
}

DBusMenuLayoutItem TrayMenuExport::toDBus(const ExportedEntry& e, const QStringList& names) {
    DBusMenuLayoutItem item;
    item.id = e.id;
    item.properties = properties(e, names);
    for (const ExportedEntry& c : e.children) item.children << QDBusVariant(QVariant::fromValue(toDBus(c, names)));
    return item;
}

uint TrayMenuExport::getLayout(int parentId, int depth, const QStringList& names, DBusMenuLayoutItem& layout) {
    const auto found = model_.layout(parentId, depth);
    // An entry that is gone answers as an empty one: the host fetches the
    // new layout on the update it was sent.
    if (found) layout = toDBus(*found, names);
    else layout = DBusMenuLayoutItem{parentId, {}, {}};
    return model_.revision();
}

DBusMenuItemList TrayMenuExport::groupProperties(const QList<int>& ids, const QStringList& names) {
    DBusMenuItemList out;
    for (int id : ids)
        if (const auto found = model_.layout(id, 0)) out << DBusMenuItem{id, properties(*found, names)};
    return out;
}

QDBusVariant TrayMenuExport::property(int id, const QString& name) {
    const auto found = model_.layout(id, 0);
    return QDBusVariant(found ? properties(*found, {name}).value(name) : QVariant(QString()));
}

bool TrayMenuExport::handleEvent(int id, const QString& eventId) {
    if (!model_.choosable(id)) return model_.layout(id, 0).has_value();
    if (eventId != QLatin1String("clicked")) return true;
    // After the reply: the command may open a dialog, reload or end the program.
    QTimer::singleShot(0, this, [this, id] {
        const MenuEntry* entry = model_.choosable(id);
        if (entry && menu_) menu_->choose(*entry);
    });
    return true;
}

DBusMenuAdaptor::DBusMenuAdaptor(TrayMenuExport* menu) : QDBusAbstractAdaptor(menu), menu_(menu) {
    setAutoRelaySignals(false);
    connect(menu, &TrayMenuExport::layoutUpdated, this, &DBusMenuAdaptor::LayoutUpdated);
}

QString DBusMenuAdaptor::textDirection() const {
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr");
}

uint DBusMenuAdaptor::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                DBusMenuLayoutItem& layout) {
    return menu_->getLayout(parentId, recursionDepth, propertyNames, layout);
}

DBusMenuItemList DBusMenuAdaptor::GetGroupProperties(const QList<int>& ids, const QStringList& propertyNames) {
    return menu_->groupProperties(ids, propertyNames);
}

QDBusVariant DBusMenuAdaptor::GetProperty(int id, const QString& name) { return menu_->property(id, name); }

void DBusMenuAdaptor::Event(int id, const QString& eventId, const QDBusVariant&, uint) {
    menu_->handleEvent(id, eventId);
}

QList<int> DBusMenuAdaptor::EventGroup(const DBusMenuEventList& events) {
    QList<int> errors;
    for (const DBusMenuEvent& e : events)
        if (!menu_->handleEvent(e.id, e.eventId)) errors << e.id;
    return errors;
}

bool DBusMenuAdaptor::AboutToShow(int) {
    // The whole menu is exported as loaded; opening a submenu changes nothing.
    return false;
}

QList<int> DBusMenuAdaptor::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    idErrors.clear();
    for (int id : ids)
        if (id != 0 && menu_->groupProperties({id}, {QStringLiteral("type")}).isEmpty()) idErrors << id;
    return {};
}

TrayMenuExport* PublishTrayMenu(TSysTrayIcon* icon, QObject* owner) {
    auto* menu = new TrayMenuExport(owner);
    new DBusMenuAdaptor(menu);
    QObject::connect(icon, &TSysTrayIcon::enabledChanged, menu, &TrayMenuExport::setEnabled);
    QObject::connect(icon, &TSysTrayIcon::popupMenuChanged, menu, &TrayMenuExport::setMenu);
    icon->setMenuObject(menu);
    return menu;
}

}  // namespace orbel
