#pragma once
// The part of the desktop entry format this platform layer writes itself:
// the Exec value of an entry. (Entries are read by GLib's key files here,
// and for making items by the reader in the logic layer.)

#include <QString>
#include <QStringList>

namespace orbel::platform {

// Exec value starting argv[0] with the remaining words as arguments. Words
// with reserved characters are double-quoted with ", `, $ and \ escaped; a
// literal % is doubled; the string escapes of the format are applied last.
QString ExecValue(const QStringList& argv);

}  // namespace orbel::platform
