#pragma once
// What the three dialogs share: created once, hidden (never destroyed) when
// closed, the mark the preferences dialog leaves on dialogs it hid, and the
// title text that is either the window caption or painted by the program.

#include <QDialog>

namespace orbel {

class OrbelDialog : public QDialog {
    Q_OBJECT
public:
    explicit OrbelDialog(QWidget* parent = nullptr);

    // 1 while the preferences dialog has hidden this dialog for a while.
    int Tag = 0;

    QString titleText() const { return titleText_; }
    void setTitleText(const QString& text);

public slots:
    // Escape closes the dialog like its close box does.
    void reject() override { close(); }

private:
    QString titleText_;
};

}  // namespace orbel
