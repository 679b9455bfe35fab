#pragma once
// Plays a wave file without waiting for it to end.

#include <functional>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace orbel::platform {

class WavePlayer final : public SoundOutput {
public:
    WavePlayer();
    ~WavePlayer() override;
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    bool play(const std::string& file) override;
    void setFailureHandler(std::function<void(const std::string& file)> handler) override;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

// The directory, with its trailing separator, that the system's sounds
// ("media\chord.wav", "media\chimes.wav") are named relative to: the Windows
// directory on Windows; elsewhere the program's own copies beside the
// executable, in programDirectory.
std::string SystemSoundDirectory(const std::string& programDirectory);

}  // namespace orbel::platform
