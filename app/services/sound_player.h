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
class WavePlayer;
}
class ErrorLog;

enum class SoundPlace { WindowsDirectory, FullPath, None };

class SoundPlayer {
public:
    SoundPlayer(const FilePlaces& places, ErrorLog& log);
    ~SoundPlayer();

    void PlaySystemSound(const QString& name, SoundPlace place);
    // What plays a sound file, false when it cannot: the wave player unless
    // a test puts a recorder in its place.
    using Play = std::function<bool(const std::string& file)>;
    void setPlayer(Play play) { play_ = std::move(play); }

private:
    const FilePlaces& places_;
    ErrorLog& log_;
    Play play_;
    std::unique_ptr<platform::WavePlayer> MPAudioGen;
};

}  // namespace orbel
