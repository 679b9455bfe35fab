#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QStringList>

#include "app/hotkey/key_takers_linux.h"

namespace orbel {

namespace {

const char kService[] = "org.kde.kglobalaccel";
const char kPath[] = "/kglobalaccel";
const char kInterface[] = "org.kde.KGlobalAccel";
// Named as the desktop file is, so the settings show the launcher's name and icon.
const char kComponent[] = "tandrel-orbel";
const char kAction[] = "open-menu";
// The service's flags: the key is there now, and it is ours, not one the
// service remembers from an earlier setting.
constexpr uint kSetPresent = 2, kNoAutoloading = 4;

class KdeGlobalShortcut : public KeyTaker {
    Q_OBJECT
public:
    KdeGlobalShortcut() : bus_(QDBusConnection::sessionBus()) {}
    // The key stays in the desktop's settings, marked as of a program that is gone.
    ~KdeGlobalShortcut() override {
        if (registered_) call(QStringLiteral("setInactive"), {actionId()});
    }

    QString keeper() const override { return QStringLiteral("KDE Plasma"); }

    Outcome take(QKeyCombination keys) override {
        release();
        const QStringList id = actionId();
        if (!call(QStringLiteral("doRegister"), {id})) return Outcome::NotPossible;
        const int wanted = keys.toCombined();
        QDBusMessage reply;
        if (!call(QStringLiteral("setShortcut"),
                  {id, QVariant::fromValue(QList<int>{wanted}), kSetPresent | kNoAutoloading}, &reply))
            return Outcome::NotPossible;
        const QList<int> got = qdbus_cast<QList<int>>(reply.arguments().value(0));
        registered_ = true;
        if (!got.contains(wanted)) return Outcome::HeldElsewhere;
        QDBusMessage component;
        if (!call(QStringLiteral("getComponent"), {QString::fromLatin1(kComponent)}, &component))
            return Outcome::NotPossible;
        path_ = qdbus_cast<QDBusObjectPath>(component.arguments().value(0)).path();
        bus_.connect(QString::fromLatin1(kService), path_, QStringLiteral("org.kde.kglobalaccel.Component"),
                     QStringLiteral("globalShortcutPressed"), this, SLOT(onPressed(QString, QString, qlonglong)));
        return Outcome::Taken;
    }

    void release() override {
        if (!path_.isEmpty())
            bus_.disconnect(QString::fromLatin1(kService), path_, QStringLiteral("org.kde.kglobalaccel.Component"),
                            QStringLiteral("globalShortcutPressed"), this,
                            SLOT(onPressed(QString, QString, qlonglong)));
        path_.clear();
        if (!registered_) return;
        registered_ = false;
        // Gone from the desktop's settings too, as the user cleared it here.
        call(QStringLiteral("setShortcut"),
             {actionId(), QVariant::fromValue(QList<int>{}), kSetPresent | kNoAutoloading});
        call(QStringLiteral("unregister"), {QString::fromLatin1(kComponent), QString::fromLatin1(kAction)});
    }

private slots:
    void onPressed(const QString& component, const QString& action, qlonglong) {
        if (component == QLatin1String(kComponent) && action == QLatin1String(kAction)) emit pressed();
    }

private:
    static QStringList actionId() {
        return {QString::fromLatin1(kComponent), QString::fromLatin1(kAction), QStringLiteral("Tandrel Orbel"),
                QStringLiteral("Open the menu")};
    }

    bool call(const QString& method, const QList<QVariant>& args, QDBusMessage* reply = nullptr) {
        QDBusMessage m = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                                        QString::fromLatin1(kInterface), method);
        m.setArguments(args);
        const QDBusMessage r = bus_.call(m, QDBus::Block, 3000);
        if (reply) *reply = r;
        return r.type() == QDBusMessage::ReplyMessage;
    }

    QDBusConnection bus_;
    QString path_;
    bool registered_ = false;
};

}  // namespace

std::unique_ptr<KeyTaker> MakeKdeGlobalShortcut() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return nullptr;
    // Only where Plasma runs: elsewhere the service, if installed, would be
    // started for nothing, and on Wayland it could take no key at all.
    if (!qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':')).contains(QLatin1String("KDE")) &&
        !bus.interface()->isServiceRegistered(QString::fromLatin1(kService)).value())
        return nullptr;
    return std::make_unique<KdeGlobalShortcut>();
}

}  // namespace orbel

#include "kde_global_shortcut_linux.moc"
