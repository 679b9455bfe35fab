#include "platform/linux/module/wave_module.h"

#include <QObject>
#include <QSoundEffect>
#include <QString>
#include <QUrl>
#include <memory>

namespace {

struct Player {
    void (*failed)(void*);
    void* context;
    std::unique_ptr<QSoundEffect> effect;
};

void* Create(void (*failed)(void*), void* context) { return new Player{failed, context, nullptr}; }

void Play(void* p, const char* file) {
    auto* player = static_cast<Player*>(p);
    // The effect before is dropped with its pending signals, so a late error
    // of an old sound is never reported against the new one. Queued, so that
    // the failure is never reported while play() is still running.
    player->effect.reset();
    auto effect = std::make_unique<QSoundEffect>();
    QSoundEffect* raw = effect.get();
    QObject::connect(
        raw, &QSoundEffect::statusChanged, raw,
        [player, raw] {
            if (raw->status() == QSoundEffect::Error && player->failed) player->failed(player->context);
        },
        Qt::QueuedConnection);
    raw->setSource(QUrl::fromLocalFile(QString::fromUtf8(file)));
    raw->play();
    player->effect = std::move(effect);
}

void Destroy(void* p) { delete static_cast<Player*>(p); }

const OrbelWaveModule kModule{Create, Play, Destroy};

}  // namespace

extern "C" __attribute__((visibility("default"))) const OrbelWaveModule* orbel_wave_module() { return &kModule; }
