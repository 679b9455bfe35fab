#pragma once
// The program's sounds. One that cannot be played is written to the error
// log and never stops the caller.

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "core/program/file_places.h"

namespace orbel {

namespace platform {
class Platform;
class SoundOutput;
}  // namespace platform
class ErrorLog;

enum class SoundPlace { WindowsDirectory, FullPath, None };

class SoundPlayer {
public:
    SoundPlayer(const FilePlaces& places, ErrorLog& log, platform::Platform& platform);
    ~SoundPlayer();

    void PlaySystemSound(const QString& name, SoundPlace place);

private:
    const FilePlaces& places_;
    ErrorLog& log_;
    platform::Platform& platform_;
    std::unique_ptr<platform::SoundOutput> MPAudioGen;
};

}  // namespace orbel
