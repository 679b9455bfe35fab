#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <stdexcept>

#include "platform/linux/desktop_exec.h"

namespace orbel::platform {
namespace {

const QString kEntryName = QStringLiteral("Tandrel-Orbel.desktop");

QString AutostartDirectory()
{
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString base = QDir::isAbsolutePath(config) ? config
                                                      : QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(base + QStringLiteral("/autostart"));
}

[[noreturn]] void Fail(const QString& text)
{
    throw std::runtime_error(text.toStdString());
}

}  // namespace

namespace {
QString EntryPath()
{
    return AutostartDirectory() + QLatin1Char('/') + kEntryName;
}
}  // namespace

std::string AutostartEntryPath()
{
    return EntryPath().toStdString();
}

bool ReadAutostart()
{
    QFile file(EntryPath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const DesktopGroup group = ReadDesktopGroup(QString::fromUtf8(file.readAll()));
    // Session managers switch an entry off without deleting it; such an
    // entry does not start the program, so autostart is off.
    if (group.value(QStringLiteral("Hidden")).trimmed() == QLatin1String("true"))
        return false;
    if (group.value(QStringLiteral("X-GNOME-Autostart-enabled")).trimmed() == QLatin1String("false"))
        return false;
    return !group.value(QStringLiteral("Exec")).trimmed().isEmpty();
}

void WriteAutostart(bool on, const std::string& command)
{
    const QString executablePath = QString::fromStdString(command);
    const QString path = EntryPath();
    if (!on) {
        if (QFile::exists(path) && !QFile::remove(path))
            Fail(QStringLiteral("Unable to remove ") + path);
        return;
    }
    // An entry without a program would read back as off: refuse it here.
    if (executablePath.isEmpty())
        Fail(QStringLiteral("Unable to write to ") + path + QStringLiteral(": no executable"));
    if (!QDir().mkpath(AutostartDirectory()))
        Fail(QStringLiteral("Unable to write to ") + path);

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
        Fail(QStringLiteral("Unable to write to ") + path);
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        Fail(QStringLiteral("Unable to write to ") + path);
}

}  // namespace orbel::platform
