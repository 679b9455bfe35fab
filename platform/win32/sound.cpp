#include "platform/sound.h"

#include <windows.h>

#include <mmsystem.h>

#include <vector>

#include "platform/win32/wide.h"

namespace orbel::platform {
namespace {

// The wave format of a RIFF WAVE file with a non-empty data chunk, read
// through the multimedia file functions; false for anything else.
bool ReadWaveFormat(const std::wstring& file, std::vector<char>& format) {
    HMMIO mmio = mmioOpenW(const_cast<wchar_t*>(file.c_str()), nullptr, MMIO_READ | MMIO_ALLOCBUF | MMIO_DENYWRITE);
    if (!mmio) return false;
    bool ok = false;
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMCKINFO chunk{};
    if (mmioDescend(mmio, &riff, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR) {
        chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
        if (mmioDescend(mmio, &chunk, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR && chunk.cksize >= 16 &&
            chunk.cksize < 4096) {
            format.assign(std::max<std::size_t>(chunk.cksize, sizeof(WAVEFORMATEX)), '\0');
            ok = mmioRead(mmio, format.data(), static_cast<LONG>(chunk.cksize)) == static_cast<LONG>(chunk.cksize);
            mmioAscend(mmio, &chunk, 0);
        }
        chunk = MMCKINFO{};
        chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
        ok = ok && mmioDescend(mmio, &chunk, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR && chunk.cksize > 0;
    }
    mmioClose(mmio, 0);
    if (ok && reinterpret_cast<WAVEFORMATEX*>(format.data())->wFormatTag == WAVE_FORMAT_PCM)
        reinterpret_cast<WAVEFORMATEX*>(format.data())->cbSize = 0;  // PCM headers may end before it
    return ok;
}

}  // namespace

struct WavePlayer::Impl {
    std::function<void(const std::string&)> onFailure;
};

WavePlayer::WavePlayer() : d_(std::make_unique<Impl>()) {}

WavePlayer::~WavePlayer() {
    // An asynchronous sound outliving its player would play on after close.
    PlaySoundW(nullptr, nullptr, 0);
}

// The system's player reports nothing once it has taken a sound, so every
// check is made here, before it starts: a damaged file or a format no wave
// device can play is refused at once and the handler is never called.
void WavePlayer::setFailureHandler(std::function<void(const std::string& file)> handler) {
    d_->onFailure = std::move(handler);
}

bool WavePlayer::play(const std::string& file) {
    if (file.empty()) return false;
    const std::wstring name = win32::Wide(file);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    std::vector<char> format;
    if (!ReadWaveFormat(name, format)) return false;
    if (waveOutOpen(nullptr, WAVE_MAPPER, reinterpret_cast<WAVEFORMATEX*>(format.data()), 0, 0, WAVE_FORMAT_QUERY) !=
        MMSYSERR_NOERROR)
        return false;
    // No default sound in place of a missing one; the new sound stops the old.
    return PlaySoundW(name.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

std::string SystemSoundDirectory(const std::string& /*programDirectory*/) {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryW(buffer, MAX_PATH);
    if (n == 0 || n > MAX_PATH) return {};
    std::string dir = win32::Utf8(buffer, static_cast<int>(n));
    if (dir.back() != '\\') dir += '\\';
    return dir;
}

}  // namespace orbel::platform
