#pragma once
// What the program's windows ask of its services: the running system, the
// message boxes and the opening of items. Made once where the program is
// built; a test builds the program over a platform of its own.

namespace orbel {

namespace platform {
class Platform;
}
class Notices;
class Launcher;

struct Services {
    platform::Platform& platform;
    const Notices& notices;
    const Launcher& launcher;
};

}  // namespace orbel
