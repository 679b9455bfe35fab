#include "app/widgets/key_sequence_field.h"

#include <QKeyEvent>

namespace orbel {

namespace {

// Keys a person presses on purpose alone, and that no typing needs.
bool StandsAlone(int key) {
    return (key >= Qt::Key_F1 && key <= Qt::Key_F35) || key == Qt::Key_Pause || key == Qt::Key_Print ||
           key == Qt::Key_LaunchMail || key == Qt::Key_Search || key == Qt::Key_HomePage || key == Qt::Key_Calculator ||
           key == Qt::Key_Launch0 || key == Qt::Key_Launch1;
}

}  // namespace

bool KeySequenceField::IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta || key == Qt::Key_Alt ||
           key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_Hyper_L ||
           key == Qt::Key_Hyper_R || key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

KeySequenceField::KeySequenceField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setPlaceholderText(QStringLiteral("None"));
    setContextMenuPolicy(Qt::NoContextMenu);
}

void KeySequenceField::setKeySequence(const QKeySequence& keys) {
    const bool changed = keys != keys_;
    keys_ = keys;
    setText(keys.toString(QKeySequence::NativeText));
    if (changed) emit keySequenceChanged(keys_);
}

void KeySequenceField::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers() &
                                       (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool plain = !(mods & ~Qt::ShiftModifier);
    if (plain && (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape || key == Qt::Key_Return ||
                  key == Qt::Key_Enter)) {
        e->ignore();
        QWidget::keyPressEvent(e);
        return;
    }
    if (!mods && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        setKeySequence({});
        return;
    }
    if (key == 0 || key == Qt::Key_unknown || IsModifierKey(key)) return;
    // Shift alone would take a letter from every program's typing.
    if (plain && !StandsAlone(key)) return;
    // Shift+1 comes as "!": store the key as the layout names it with Shift.
    setKeySequence(QKeySequence(QKeyCombination(mods, Qt::Key(key))));
}

}  // namespace orbel
