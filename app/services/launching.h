#pragma once
// Opening items and documents, with the program's messages on failure.

#include <QString>

namespace orbel {

namespace platform {
class Platform;
}
class Notices;

class Launcher {
public:
    Launcher(platform::Platform& platform, const Notices& notices) : platform_(platform), notices_(notices) {}

    // Opens an item with its parameters; reports a failure in a box. True
    // when the start succeeded.
    bool OpenItem(const QString& path, const QString& parameters) const;
    // Opens a file or address without parameters; reports a failure in a box.
    bool OpenDocument(const QString& path) const;

private:
    platform::Platform& platform_;
    const Notices& notices_;
};

}  // namespace orbel
