#include "platform/opener.h"

#include "platform/linux/open_route.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "core/store/desktop_entry.h"
#include "core/store/program_kind.h"

namespace orbel::platform {
namespace {

// Addresses the default handler may be given. Other schemes are not passed
// on: a stored text must not reach arbitrary URL handlers of the desktop.
bool IsWebAddress(const QString& text)
{
    for (const char* prefix : {"http://", "https://", "ftp://", "mailto:"}) {
        if (text.startsWith(QLatin1String(prefix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool StartDetached(const QString& program, const QStringList& arguments,
                   const QString& workingDirectory)
{
    return QProcess::startDetached(program, arguments, workingDirectory);
}

bool StartDesktopEntry(const QString& path, const QString& parameters)
{
    std::string program;
    std::string arguments;
    if (!ReadDesktopEntryLink(QFile::encodeName(path).toStdString(), program, arguments))
        return false;
    QStringList words = QProcess::splitCommand(QString::fromStdString(arguments));
    words << QProcess::splitCommand(parameters);
    return StartDetached(QString::fromStdString(program), words, QDir::currentPath());
}

}  // namespace

OpenRoute RouteFor(const QString& path)
{
    if (IsWebAddress(path))
        return OpenRoute::WebAddress;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return OpenRoute::Missing;
    if (info.isDir())
        return OpenRoute::DefaultHandler;
    if (info.isFile() && path.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive))
        return OpenRoute::DesktopEntry;
    if (IsProgramPath(QFile::encodeName(path).toStdString()))
        return OpenRoute::Program;
    return OpenRoute::DefaultHandler;
}

bool OpenPath(const std::string& pathText, const std::string& parameterText, ShowMode /*mode*/)
{
    const QString path = QString::fromStdString(pathText);
    const QString parameters = QString::fromStdString(parameterText);
    switch (RouteFor(path)) {
    case OpenRoute::Missing:
        return false;
    case OpenRoute::WebAddress:
        return QDesktopServices::openUrl(QUrl(path, QUrl::StrictMode));
    case OpenRoute::Program:
        // The absolute path, so a relative one is never looked up in PATH.
        return StartDetached(QFileInfo(path).absoluteFilePath(),
                             QProcess::splitCommand(parameters), QDir::currentPath());
    case OpenRoute::DesktopEntry:
        return StartDesktopEntry(path, parameters);
    case OpenRoute::DefaultHandler:
        return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    }
    return false;
}

}  // namespace orbel::platform
