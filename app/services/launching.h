#pragma once
// Opening items and documents, with the program's messages on failure.

#include <QString>

namespace orbel {

// Opens an item with its parameters; reports a failure in a box. True when
// the start succeeded.
bool OpenItem(const QString& path, const QString& parameters);
// Opens a file or address without parameters; reports a failure in a box.
bool OpenDocument(const QString& path);

}  // namespace orbel
