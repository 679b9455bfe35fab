#pragma once
// A box that takes the keys pressed in it as a shortcut: one combination
// with Ctrl, Alt or Meta (or a function key alone). Backspace or Delete
// clears it; Tab and Esc keep their meaning for the dialog.

#include <QKeySequence>
#include <QLineEdit>

namespace orbel {

class KeySequenceField : public QLineEdit {
    Q_OBJECT
public:
    explicit KeySequenceField(QWidget* parent = nullptr);
    QKeySequence keySequence() const { return keys_; }
    void setKeySequence(const QKeySequence& keys);
    // Shift, Ctrl, Alt, Meta and the locks: no key of a shortcut alone.
    static bool IsModifierKey(int key);

signals:
    void keySequenceChanged(const QKeySequence& keys);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QKeySequence keys_;
};

}  // namespace orbel
