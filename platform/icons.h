#pragma once
// Small icons for files and file types, as the desktop shows them.

#include <QIcon>
#include <QString>

namespace orbel::platform {

// Icon for files with this extension (no dot). Never null: a generic
// document icon when the desktop knows none.
QIcon FileTypeIcon(const QString& extension);
// Icon of this very file or directory (programs, directories, desktop
// entries get their own). Never null.
QIcon FileIcon(const QString& path);

}  // namespace orbel::platform
