#pragma once
// The preferences dialog: start with the session, taskbar presence, who
// draws the fonts and the program font, with help for the focused control.

#include <QFont>
#include <QStringList>
#include <optional>

#include "app/dialogs/hand_layout.h"
#include "app/dialogs/orbel_dialog.h"
#include "app/services/services.h"
#include "core/program/settings.h"

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
class KeySequenceField;

// What the preferences ask of the program: its settings file and autostart
// entry, the look of its open dialogs, the menu's drawing, the help page.
class PreferencesHost {
public:
    virtual ~PreferencesHost() = default;
    // Open dialogs leave before the new look is applied and come back after.
    virtual void HideOpenDialogs() = 0;
    virtual void ShowHiddenDialogs() = 0;
    // Throws ProfileError when the settings file cannot be written, and
    // std::runtime_error when only the autostart entry could not be.
    virtual void SaveSettings() = 0;
    virtual void LoadSettings() = 0;
    virtual void ApplySettings() = 0;
    // The kit menu again and the draw hooks for the drawing now in effect.
    virtual void RedrawMenu() = 0;
    virtual QString helpPage() const = 0;
    // What the menu shortcut in effect does, for the user; refused when
    // another program or action holds its keys.
    virtual QString menuShortcutNote() const { return {}; }
    virtual bool menuShortcutRefused() const { return false; }
};

class TFormConfig : public OrbelDialog {
    Q_OBJECT
public:
    TFormConfig(const QString& title, PreferencesHost& host, const Services& services);

    // What the boxes say, for saving: a font box that shows nothing (the
    // stored face is not installed here, or no size) keeps what is in effect.
    Settings chosenSettings(const Settings& inEffect) const;
    bool startWithSession() const;
    void showStartWithSession(bool on);
    // The boxes as the settings in effect say.
    void showSettings(const Settings& s);
    // The help text keeps its own font; it follows the dialog's.
    void setHelpFont(const QFont& font);

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
    void buildContents() override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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
    QGroupBox* GrpBxHotkey;
    QLabel* LblMenuHotkey;
    KeySequenceField* EdMenuHotkey;
    QLabel* LblHotkeyNote;
    QLabel* PanelHeading;
    QFrame* PanelHelp;
    QPlainTextEdit* RichEditHelp;
    QPushButton* BtnCancel;
    QPushButton* BtnApply;
    QPushButton* BtnOK;
    QPushButton* BtnHelp;

    PreferencesHost& host_;
    const Services& services_;
    // What the boxes show, kept also before they exist.
    QStringList fontNames_;
    std::optional<Settings> shown_;
    bool startWithSession_ = false;
    bool hotkeyChosen_ = false;
    std::optional<QFont> helpFont_;
    void showFontNames();
    void showShortcutNote();
    void FocusRule();
    // Lays out one page's controls; returns their right and bottom edge.
    QPoint fitControlPage();
    QPoint fitVisualsPage();
    void OkOrApply(bool closing);

    HandLayout design_;
};

}  // namespace orbel
