#include "app/services/sound_player.h"

#include "app/services/error_log.h"
#include "platform/platform.h"

namespace orbel {

SoundPlayer::SoundPlayer(const FilePlaces& places, ErrorLog& log, platform::Platform& platform)
    : places_(places), log_(log), platform_(platform) {
    MPAudioGen = platform_.MakeSoundOutput();
    MPAudioGen->setFailureHandler([this](const std::string& file) {
        try {
            log_.WriteErrorLog("Can't play \"" + QString::fromStdString(file) + "\"");
        } catch (...) {
            // As in PlaySystemSound: a sound, even an unlogged one, never
            // ends the program.
        }
    });
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::PlaySystemSound(const QString& name, SoundPlace place) {
    QString file;
    switch (place) {
    case SoundPlace::FullPath: file = name; break;
    // The system's own sounds on Windows; here those installed with the
    // program.
    case SoundPlace::WindowsDirectory:
        file = QString::fromStdString(platform_.SystemSoundDirectory(places_.programDir)) + name;
        break;
    case SoundPlace::None: return;
    }
    try {
        const bool played = MPAudioGen->play(file.toStdString());
        if (!played) log_.WriteErrorLog("Can't play \"" + file + "\"");
    } catch (...) {
        // A sound that cannot be played never stops the caller.
    }
}

}  // namespace orbel
