#pragma once
// The program's error log: the user is shown where it is, then a line is
// added that names the moment, the message and the system's last error.

#include <QString>

#include "core/program/file_places.h"

namespace orbel {

namespace platform {
class Platform;
}
class Notices;

class ErrorLog {
public:
    // The places are the program's, which start-up may still decide.
    ErrorLog(const FilePlaces& places, platform::Platform& platform, const Notices& notices)
        : places_(places), platform_(platform), notices_(notices) {}

    void WriteErrorLog(const QString& message);

private:
    const FilePlaces& places_;
    platform::Platform& platform_;
    const Notices& notices_;
};

}  // namespace orbel
