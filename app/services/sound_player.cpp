#include "app/services/sound_player.h"

#include "app/services/error_log.h"
#include "platform/sound.h"

namespace orbel {

SoundPlayer::SoundPlayer(const FilePlaces& places, ErrorLog& log) : places_(places), log_(log) {
    MPAudioGen = std::make_unique<platform::WavePlayer>();
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
        file = QString::fromStdString(platform::SystemSoundDirectory(places_.programDir)) + name;
        break;
    case SoundPlace::None: return;
    }
    try {
        const bool played = play_ ? play_(file.toStdString()) : MPAudioGen->play(file.toStdString());
        if (!played) log_.WriteErrorLog("Can't play \"" + file + "\"");
    } catch (...) {
        // A sound that cannot be played never stops the caller.
    }
}

}  // namespace orbel
