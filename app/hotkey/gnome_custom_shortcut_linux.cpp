#include <gio/gio.h>

#include <QKeySequence>
#include <QStringList>

#include "app/hotkey/key_takers_linux.h"

namespace orbel {

namespace {

const char kList[] = "org.gnome.settings-daemon.plugins.media-keys";
const char kEntry[] = "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
const char kPath[] = "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/tandrel-orbel/";

bool HasSchema(const char* id) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source) return false;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, id, TRUE);
    if (schema) g_settings_schema_unref(schema);
    return schema != nullptr;
}

// The key as GNOME's settings write it ("<Control><Alt>space"); empty for
// one it has no name for here.
QString Accelerator(QKeyCombination keys) {
    const int key = keys.key();
    QString name;
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) name = QChar(key).toLower();
    else if (key >= Qt::Key_F1 && key <= Qt::Key_F35) name = QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
    else {
        static const std::pair<int, const char*> named[] = {
            {Qt::Key_Space, "space"},   {Qt::Key_Return, "Return"},  {Qt::Key_Tab, "Tab"},
            {Qt::Key_Escape, "Escape"}, {Qt::Key_Home, "Home"},      {Qt::Key_End, "End"},
            {Qt::Key_Left, "Left"},     {Qt::Key_Right, "Right"},    {Qt::Key_Up, "Up"},
            {Qt::Key_Down, "Down"},     {Qt::Key_PageUp, "Page_Up"}, {Qt::Key_PageDown, "Page_Down"},
            {Qt::Key_Insert, "Insert"}, {Qt::Key_Delete, "Delete"},  {Qt::Key_Pause, "Pause"},
            {Qt::Key_Print, "Print"},   {Qt::Key_Menu, "Menu"},      {Qt::Key_Backspace, "BackSpace"},
        };
        for (const auto& [qt, text] : named)
            if (qt == key) name = QString::fromLatin1(text);
    }
    if (name.isEmpty()) return {};
    QString out;
    const Qt::KeyboardModifiers m = keys.keyboardModifiers();
    if (m & Qt::ControlModifier) out += QStringLiteral("<Control>");
    if (m & Qt::AltModifier) out += QStringLiteral("<Alt>");
    if (m & Qt::ShiftModifier) out += QStringLiteral("<Shift>");
    if (m & Qt::MetaModifier) out += QStringLiteral("<Super>");
    return out + name;
}

// A custom shortcut in GNOME's keyboard settings that runs the command:
// the desktop keeps it, so it works on Wayland too, and even before the
// program runs.
class GnomeCustomShortcut : public KeyTaker {
public:
    explicit GnomeCustomShortcut(QString command) : command_(std::move(command)) {}

    QString keeper() const override { return QStringLiteral("GNOME"); }

    Outcome take(QKeyCombination keys) override {
        const QString accel = Accelerator(keys);
        if (accel.isEmpty()) return Outcome::NotPossible;
        GSettings* entry = g_settings_new_with_path(kEntry, kPath);
        g_settings_set_string(entry, "name", "Tandrel Orbel");
        g_settings_set_string(entry, "command", command_.toUtf8().constData());
        g_settings_set_string(entry, "binding", accel.toUtf8().constData());
        g_object_unref(entry);
        setListed(true);
        g_settings_sync();
        return Outcome::Taken;
    }

    void release() override {
        setListed(false);
        GSettings* entry = g_settings_new_with_path(kEntry, kPath);
        for (const char* key : {"name", "command", "binding"}) g_settings_reset(entry, key);
        g_object_unref(entry);
        g_settings_sync();
    }

private:
    // Our entry in the list of custom shortcuts, the user's others kept as they are.
    static void setListed(bool on) {
        GSettings* list = g_settings_new(kList);
        gchar** paths = g_settings_get_strv(list, "custom-keybindings");
        QStringList kept;
        bool there = false;
        for (gchar** p = paths; *p; ++p) {
            if (g_strcmp0(*p, kPath) == 0) there = true;
            else kept << QString::fromUtf8(*p);
        }
        g_strfreev(paths);
        if (there != on) {
            if (on) kept << QString::fromLatin1(kPath);
            std::vector<QByteArray> bytes;
            std::vector<const gchar*> values;
            for (const QString& k : kept) bytes.push_back(k.toUtf8());
            for (const QByteArray& b : bytes) values.push_back(b.constData());
            values.push_back(nullptr);
            g_settings_set_strv(list, "custom-keybindings", values.data());
        }
        g_object_unref(list);
    }

    QString command_;
};

}  // namespace

std::unique_ptr<KeyTaker> MakeGnomeCustomShortcut(const QString& command) {
    if (!qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':')).contains(QLatin1String("GNOME")))
        return nullptr;
    if (!HasSchema(kList) || !HasSchema(kEntry)) return nullptr;
    return std::make_unique<GnomeCustomShortcut>(command);
}

}  // namespace orbel
