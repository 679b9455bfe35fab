#pragma once
// The program's error log: the user is shown where it is, then a line is
// added that names the moment, the message and the system's last error.

#include <QString>

#include "core/program/file_places.h"

namespace orbel {

class ErrorLog {
public:
    // The places are the program's, which start-up may still decide.
    explicit ErrorLog(const FilePlaces& places) : places_(places) {}

    void WriteErrorLog(const QString& message);

private:
    const FilePlaces& places_;
};

}  // namespace orbel
