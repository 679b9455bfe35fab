// GLib first: Qt's keyword macros would rename fields in its headers.
#include <glib.h>

#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/linux/desktop_exec.h"
#include "platform/user_dirs.h"

namespace orbel::platform {
namespace {

const QString kEntryName = QStringLiteral("Tandrel-Orbel.desktop");

QString AutostartDirectory() {
    // The same configuration directory as the program's own settings.
    const std::string config = CurrentUserDirectories().config;
    const QString base = config.empty() ? QDir::homePath() + QStringLiteral("/.config")
                                        : QString::fromStdString(config);
    return QDir::cleanPath(base + QStringLiteral("/autostart"));
}

[[noreturn]] void Fail(const QString& text) { throw std::runtime_error(text.toStdString()); }

}  // namespace

namespace {
QString EntryPath() { return AutostartDirectory() + QLatin1Char('/') + kEntryName; }
}  // namespace

std::string AutostartEntryPath() { return EntryPath().toStdString(); }

bool ReadAutostart() {
    // Read as the session managers read it, with GLib's key files: an entry
    // they cannot read starts nothing.
    g_autoptr(GKeyFile) keys = g_key_file_new();
    if (!g_key_file_load_from_file(keys, QFile::encodeName(EntryPath()).constData(), G_KEY_FILE_NONE, nullptr))
        return false;
    const auto flag = [&](const char* key, bool otherwise) {
        g_autoptr(GError) error = nullptr;
        const bool value = g_key_file_get_boolean(keys, G_KEY_FILE_DESKTOP_GROUP, key, &error);
        return error ? otherwise : value;
    };
    // Session managers switch an entry off without deleting it; such an
    // entry does not start the program, so autostart is off.
    if (flag(G_KEY_FILE_DESKTOP_KEY_HIDDEN, false) || !flag("X-GNOME-Autostart-enabled", true)) return false;
    g_autofree char* exec = g_key_file_get_value(keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
    return exec && *g_strstrip(exec);
}

void WriteAutostart(bool on, const std::string& command) {
    const QString executablePath = QString::fromStdString(command);
    const QString path = EntryPath();
    if (!on) {
        QFile entry(path);
        if (entry.exists() && !entry.remove())
            Fail(QStringLiteral("Unable to remove ") + path + QStringLiteral(": ") + entry.errorString());
        return;
    }
    // An entry without a program would read back as off: refuse it here.
    if (executablePath.isEmpty())
        Fail(QStringLiteral("Unable to write to ") + path + QStringLiteral(": no executable"));
    std::error_code ec;
    std::filesystem::create_directories(QFile::encodeName(AutostartDirectory()).toStdString(), ec);
    if (ec)
        Fail(QStringLiteral("Unable to write to ") + path + QStringLiteral(": ") +
             QString::fromLocal8Bit(ec.message()));

    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Tandrel Orbel\n"
                             "Exec=%1\n"
                             "X-GNOME-Autostart-enabled=true\n")
                             .arg(ExecValue({executablePath}));
    // A half-written entry is never seen: the new one replaces the old whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        Fail(QStringLiteral("Unable to write to ") + path + QStringLiteral(": ") + file.errorString());
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        Fail(QStringLiteral("Unable to write to ") + path + QStringLiteral(": ") + file.errorString());
}

}  // namespace orbel::platform
