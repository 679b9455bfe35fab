#include "platform/sound.h"

#include <dlfcn.h>

#include <QFile>
#include <QFileInfo>

#include "platform/linux/module/wave_module.h"

namespace orbel::platform {

namespace {

// Loaded at the first sound and kept: null when the module is missing,
// which makes every sound one that cannot be played.
const OrbelWaveModule* WaveModule() {
    static const OrbelWaveModule* module = []() -> const OrbelWaveModule* {
        void* handle = dlopen(ORBEL_WAVE_MODULE_FILE, RTLD_NOW | RTLD_LOCAL);
        if (!handle) return nullptr;
        auto entry = reinterpret_cast<const OrbelWaveModule* (*)()>(dlsym(handle, "orbel_wave_module"));
        return entry ? entry() : nullptr;
    }();
    return module;
}

}  // namespace

struct WavePlayer::Impl {
    void* player = nullptr;
    std::string playing;  // the file of the sound a failure is about
    std::function<void(const std::string&)> onFailure;

    ~Impl() {
        if (player) WaveModule()->destroy(player);
    }
    static void Failed(void* context) {
        auto* d = static_cast<Impl*>(context);
        if (d->onFailure) d->onFailure(d->playing);
    }
};

WavePlayer::WavePlayer() : d_(std::make_unique<Impl>()) {}

WavePlayer::~WavePlayer() = default;

void WavePlayer::setFailureHandler(std::function<void(const std::string& file)> handler) {
    d_->onFailure = std::move(handler);
}

std::string SystemSoundDirectory(const std::string& programDirectory) { return programDirectory; }

bool WavePlayer::play(const std::string& fileText) {
    const QString file = QString::fromStdString(fileText);
    // Only a file we can actually read counts as started; the effect itself
    // loads asynchronously and would tell us much later, if at all.
    QFile probe(file);
    if (file.isEmpty() || !QFileInfo(file).isFile() || !probe.open(QIODevice::ReadOnly)) return false;
    probe.close();

    const OrbelWaveModule* module = WaveModule();
    if (!module) return false;
    if (!d_->player) d_->player = module->create(&Impl::Failed, d_.get());
    d_->playing = fileText;
    module->play(d_->player, QFileInfo(file).absoluteFilePath().toUtf8().constData());
    return true;
}

}  // namespace orbel::platform
