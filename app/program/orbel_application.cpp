#include "app/program/orbel_application.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace orbel {

OrbelApplication::OrbelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

namespace {
[[noreturn]] void StartUpFailure(const char* what) {
    std::fprintf(stderr, "orbel: start-up failed: %s\n", what);
    std::exit(1);
}
}  // namespace

bool OrbelApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        if (!loopRunning_) StartUpFailure(e.what());
        if (!errorHandler_ || !errorHandler_(receiver, &e)) StartUpFailure(e.what());
    } catch (...) {
        if (!loopRunning_) StartUpFailure("unknown error");
        if (!errorHandler_ || !errorHandler_(receiver, nullptr)) StartUpFailure("unknown error");
    }
    return false;
}

}  // namespace orbel
