#include "platform/sound.h"

#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace orbel::platform {

struct WavePlayer::Impl {
    std::unique_ptr<QSoundEffect> effect;
};

WavePlayer::WavePlayer(QObject* parent) : QObject(parent), d_(std::make_unique<Impl>()) {}

WavePlayer::~WavePlayer() = default;

bool WavePlayer::play(const QString& file)
{
    // Only a file we can actually read counts as started; the effect itself
    // loads asynchronously and would tell us much later, if at all.
    QFile probe(file);
    if (file.isEmpty() || !QFileInfo(file).isFile() || !probe.open(QIODevice::ReadOnly))
        return false;
    probe.close();

    // The effect before is dropped with its pending signals, so a late error
    // of an old sound is never reported against the new one. Queued, so that
    // failed() never fires while play() is still running.
    d_->effect.reset();
    auto effect = std::make_unique<QSoundEffect>();
    QSoundEffect* raw = effect.get();
    connect(raw, &QSoundEffect::statusChanged, raw, [this, raw, file] {
        if (raw->status() == QSoundEffect::Error)
            emit failed(file);
    }, Qt::QueuedConnection);
    raw->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
    raw->play();
    d_->effect = std::move(effect);
    return true;
}

}  // namespace orbel::platform

// The class is declared in the shared header one directory up, which the
// build's automatic moc does not pair with this file by name.
#include "platform/moc_sound.cpp"
