#pragma once
// Plays a wave file without waiting for it to end.

#include <functional>
#include <memory>
#include <string>

namespace orbel::platform {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts playing file (UTF-8 path); a new call replaces the sound before
    // it. Returns false at once when the file cannot be opened or played.
    virtual bool play(const std::string& file) = 0;
    // Called later, from the event loop, when a sound that play() accepted
    // fails after all (no audio device, a damaged file); never from inside
    // play() and never for a sound that a newer one replaced.
    virtual void setFailureHandler(std::function<void(const std::string& file)> handler) = 0;
};

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
