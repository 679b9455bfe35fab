#include "app/hotkey/menu_shortcut.h"

#include <QKeySequence>

#include "app/widgets/key_sequence_field.h"

namespace orbel {

MenuShortcut::MenuShortcut(QString command, Takers takers)
    : command_(std::move(command)), makeTakers_(std::move(takers)) {}

MenuShortcut::~MenuShortcut() = default;

std::optional<QKeyCombination> MenuShortcut::Parse(const QString& stored) {
    const QKeySequence seq = QKeySequence::fromString(stored.trimmed(), QKeySequence::PortableText);
    // One combination of keys: a desktop binds no chords.
    if (seq.count() != 1) return std::nullopt;
    const QKeyCombination keys = seq[0];
    if (keys.key() == Qt::Key_unknown || keys.key() == 0 || KeySequenceField::IsModifierKey(keys.key()))
        return std::nullopt;
    return keys;
}

MenuShortcut::State MenuShortcut::set(const QString& stored) {
    if (holder_) holder_->release();
    holder_ = nullptr;
    keeper_.clear();
    keys_ = stored.trimmed();
    if (keys_.isEmpty()) return state_ = State::None;
    const std::optional<QKeyCombination> keys = Parse(keys_);
    if (!keys) return state_ = State::Unreadable;
    // The same text the field shows.
    keys_ = QKeySequence(*keys).toString(QKeySequence::NativeText);
    if (takers_.empty() && makeTakers_) {
        takers_ = makeTakers_(command_);
        for (auto& taker : takers_) connect(taker.get(), &KeyTaker::pressed, this, &MenuShortcut::pressed);
    }
    state_ = State::BindCommand;
    for (auto& taker : takers_) {
        switch (taker->take(*keys)) {
        case KeyTaker::Outcome::Taken:
            holder_ = taker.get();
            keeper_ = taker->keeper();
            return state_ = State::Taken;
        case KeyTaker::Outcome::HeldElsewhere:
            // Another way would only fight the holder for it.
            keeper_ = taker->keeper();
            return state_ = State::HeldElsewhere;
        case KeyTaker::Outcome::NotPossible: break;
        }
    }
    return state_;
}

QString MenuShortcut::note() const {
    switch (state_) {
    case State::None:
        return QStringLiteral("No shortcut. Click the box and press the keys, for example Ctrl+Alt+Space.");
    case State::Unreadable:
        return QStringLiteral("\"%1\" is no key this program can use: choose other keys.").arg(keys_);
    case State::Taken:
        if (keeper_.isEmpty()) return QStringLiteral("%1 opens the menu from anywhere.").arg(keys_);
        return QStringLiteral(
                   "%1 opens the menu from anywhere; it is registered with %2 and listed in its shortcut "
                   "settings under Tandrel Orbel.")
            .arg(keys_, keeper_);
    case State::HeldElsewhere:
        if (keeper_.isEmpty()) return QStringLiteral("%1 is held by another program: choose other keys.").arg(keys_);
        return QStringLiteral("%2 gives %1 to another action: choose other keys.").arg(keys_, keeper_);
    case State::BindCommand:
        return QStringLiteral(
                   "This desktop lets no program take keys: bind the command \"%1\" to %2 in its keyboard "
                   "settings.")
            .arg(command_, keys_);
    }
    return {};
}

}  // namespace orbel
