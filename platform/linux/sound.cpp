#include "platform/sound.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSoundEffect>
#include <QUrl>

namespace orbel::platform {

struct WavePlayer::Impl {
    std::unique_ptr<QSoundEffect> effect;
    std::function<void(const std::string&)> onFailure;
};

WavePlayer::WavePlayer() : d_(std::make_unique<Impl>()) {}

WavePlayer::~WavePlayer() = default;

void WavePlayer::setFailureHandler(std::function<void(const std::string& file)> handler)
{
    d_->onFailure = std::move(handler);
}

std::string SystemSoundDirectory(const std::string& programDirectory)
{
    return programDirectory;
}

bool WavePlayer::play(const std::string& fileText)
{
    const QString file = QString::fromStdString(fileText);
    // Only a file we can actually read counts as started; the effect itself
    // loads asynchronously and would tell us much later, if at all.
    QFile probe(file);
    if (file.isEmpty() || !QFileInfo(file).isFile() || !probe.open(QIODevice::ReadOnly))
        return false;
    probe.close();

    // The effect before is dropped with its pending signals, so a late error
    // of an old sound is never reported against the new one. Queued, so that
    // the failure is never reported while play() is still running.
    d_->effect.reset();
    auto effect = std::make_unique<QSoundEffect>();
    QSoundEffect* raw = effect.get();
    QObject::connect(raw, &QSoundEffect::statusChanged, raw, [this, raw, fileText] {
        if (raw->status() == QSoundEffect::Error && d_->onFailure)
            d_->onFailure(fileText);
    }, Qt::QueuedConnection);
    raw->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    raw->play();
    d_->effect = std::move(effect);
    return true;
}

}  // namespace orbel::platform
