#pragma once
// The parts of the desktop entry format this platform layer writes and reads
// itself: the Exec value of an entry and the keys of its main group.

#include <QHash>
#include <QString>
#include <QStringList>

namespace orbel::platform {

// Exec value starting argv[0] with the remaining words as arguments. Words
// with reserved characters are double-quoted with ", `, $ and \ escaped; a
// literal % is doubled; the string escapes of the format are applied last.
QString ExecValue(const QStringList& argv);

// Keys and raw values of the "[Desktop Entry]" group; comments and other
// groups are skipped, the first occurrence of a key wins.
using DesktopGroup = QHash<QString, QString>;
DesktopGroup ReadDesktopGroup(const QString& text);

}  // namespace orbel::platform
