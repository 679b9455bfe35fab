#pragma once
// The key that opens the menu from anywhere: taken from the desktop in the
// way it offers (a grab on X11, the desktop's shortcut service on KDE
// Plasma), or, where a program cannot take keys, the command to bind.

#include <QKeyCombination>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orbel {

// One way of taking a key from the system.
class KeyTaker : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Taken,          // pressing it anywhere emits pressed()
        HeldElsewhere,  // another program or action has it
        NotPossible,    // this system gives no program this key
    };
    virtual Outcome take(QKeyCombination keys) = 0;
    virtual void release() = 0;
    // Which desktop keeps the key, for the user ("KDE Plasma"); empty when
    // the program holds it itself.
    virtual QString keeper() const { return {}; }
signals:
    void pressed();
};

// The key takers this system offers, best first: the desktop's service,
// then the program's own grab. Empty where no program can take a key.
// command: what a desktop's key binding would run to open the menu.
std::vector<std::unique_ptr<KeyTaker>> SystemKeyTakers(const QString& command);

class MenuShortcut : public QObject {
    Q_OBJECT
public:
    enum class State { None, Unreadable, Taken, HeldElsewhere, BindCommand };
    using Takers = std::function<std::vector<std::unique_ptr<KeyTaker>>(const QString& command)>;
    // command: what a desktop's key binding would run to open the menu. A
    // key the desktop keeps stays when the program ends.
    explicit MenuShortcut(QString command, Takers takers = SystemKeyTakers);
    ~MenuShortcut() override;

    // The stored text (Qt's portable key-sequence text; empty for none).
    // The takers are asked only when a key is set.
    State set(const QString& stored);
    State state() const { return state_; }
    // The key as the stored text names it, or none when it names none.
    static std::optional<QKeyCombination> Parse(const QString& stored);
    // One sentence for the preferences about what the key does now.
    QString note() const;

signals:
    void pressed();

private:
    QString command_;
    Takers makeTakers_;
    std::vector<std::unique_ptr<KeyTaker>> takers_;
    KeyTaker* holder_ = nullptr;
    QString keeper_;
    QString keys_;
    State state_ = State::None;
};

}  // namespace orbel
