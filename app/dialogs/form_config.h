#pragma once
// The preferences dialog: start with the session, taskbar presence, who
// draws the fonts and the program font, with help for the focused control.

#include <QStringList>

#include "app/dialogs/hand_layout.h"
#include "app/dialogs/orbel_dialog.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace orbel {

class TEnhComboBox;
class TkvWinGroupBox;

class TFormConfig : public OrbelDialog {
    Q_OBJECT
public:
    TFormConfig();

    QTabWidget* PCSettings;
    QWidget* TSControl;
    QWidget* TSVisuals;
    QGroupBox* GrpBxMixed;
    QCheckBox* ChkBxSystray;
    QCheckBox* ChkBxTaskBar;
    QCheckBox* CBWinDefDraw;
    TkvWinGroupBox* GrpBxFontSets;
    QLabel* LblFontName;
    TEnhComboBox* CmBoxFontName;
    QLabel* LblFontSize;
    TEnhComboBox* CmBoxFontSize;
    QPushButton* BtnDefault;
    QLabel* PanelHeading;
    QFrame* PanelHelp;
    QPlainTextEdit* RichEditHelp;
    QPushButton* BtnCancel;
    QPushButton* BtnApply;
    QPushButton* BtnOK;
    QPushButton* BtnHelp;

    // The installed font families, sorted; nothing selected until the
    // settings are applied.
    void SetFontNames(const QStringList& names);

    // The help text for a control by its name.
    static QString HelpText(const QString& controlName);

    void FormShow();
    void PCSettingsChange();
    void OnEnterExplain(QWidget* sender);
    // Windows-default drawing on: the font choice is locked.
    void EnablingRule(bool windowsDraw);
    void CBWinDefDrawClick();
    void CBWinDefDrawKeyPress(QChar key);
    void BtnDefaultClick();
    void BtnOKClick();
    void BtnApplyClick();
    void BtnCancelClick();
    void BtnHelpClick();

    void fitTexts() override;

public slots:
    // Escape answers like Cancel.
    void reject() override { BtnCancelClick(); }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusRule();
    // Lays out one page's controls; returns their right and bottom edge.
    QPoint fitControlPage();
    QPoint fitVisualsPage();
    void OkOrApply(bool closing);

    HandLayout design_;
};

}  // namespace orbel
