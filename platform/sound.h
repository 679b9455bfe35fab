#pragma once
// Plays a wave file without waiting for it to end.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace orbel::platform {

class WavePlayer : public QObject {
    Q_OBJECT
public:
    explicit WavePlayer(QObject* parent = nullptr);
    ~WavePlayer() override;
    // Starts playing file; a new call replaces the sound before it. Returns
    // false at once when the file cannot be opened; a failure found later
    // (no audio device, a damaged file) is reported through failed().
    bool play(const QString& file);
signals:
    void failed(const QString& file);

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace orbel::platform
