// The hidden main window's share of the settings: the settings file, the
// autostart entry, applying both to the dialogs, and the painted titles.

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/manager/form_items.h"
#include "app/shell/form_general.h"
#include "app/shell/program.h"
#include "app/widgets/enh_combo_box.h"
#include "app/widgets/title_bar.h"
#include "core/shell/profile_file.h"
#include "core/shell/settings.h"
#include "platform/autostart.h"
#include "app/widgets/system_fonts.h"

namespace orbel {

namespace {

std::string SettingsPath() {
    return QFile::encodeName(Program::instance()->settingsFile()).toStdString();
}

// The three dialogs in the order the settings steps visit them.
QList<OrbelDialog*> Dialogs(Program* prog) {
    QList<OrbelDialog*> out;
    for (OrbelDialog* d : {static_cast<OrbelDialog*>(prog->config.get()), static_cast<OrbelDialog*>(prog->items.get()),
                           static_cast<OrbelDialog*>(prog->about.get())})
        if (d) out << d;
    return out;
}

void SelectText(QComboBox* box, const QString& text) {
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i) == text) {
            box->setCurrentIndex(i);
            return;
        }
}

}  // namespace

void TFormGeneral::LoadSettings() {
    Program* prog = Program::instance();
    prog->settings = ReadSettings(ProfileFile::Load(SettingsPath()));
    ReadAutostart();
}

void TFormGeneral::SaveSettings() {
    Program* prog = Program::instance();
    TFormConfig* c = prog->config.get();
    Settings s;
    s.TaskBar = c->ChkBxTaskBar->isChecked();
    s.WindowsDraw = c->CBWinDefDraw->isChecked();
    // A box that shows no font (the stored face is not installed here) keeps
    // the face in effect rather than writing an empty one over it.
    s.FontName = c->CmBoxFontName->currentIndex() < 0 ? prog->settings.FontName
                                                      : c->CmBoxFontName->currentText().toStdString();
    // A box that shows no size keeps the size in effect rather than failing
    // half-way and losing it.
    s.FontSize = ParseProfileInteger(c->CmBoxFontSize->currentText().toStdString()).value_or(prog->settings.FontSize);
    const std::string path = SettingsPath();
    ProfileFile file = ProfileFile::Load(path);
    WriteSettings(file, s);
    file.Save(path);
    WriteAutostart(c->ChkBxSystray->isChecked());
}

void TFormGeneral::ReadAutostart() {
    Program* prog = Program::instance();
    if (prog->config) prog->config->ChkBxSystray->setChecked(platform::ReadAutostart());
}

void TFormGeneral::WriteAutostart(bool on) {
    Program* prog = Program::instance();
    platform::WriteAutostart(on, prog->startCommand.toStdString());
}

void TFormGeneral::ApplySettings() {
    Program* prog = Program::instance();
    const Settings& s = prog->settings;
    TFormConfig* c = prog->config.get();

    SelectText(c->CmBoxFontSize, QString::number(s.FontSize));
    SelectText(c->CmBoxFontName, QString::fromStdString(s.FontName));

    c->ChkBxTaskBar->setChecked(s.TaskBar);

    c->CBWinDefDraw->setChecked(s.WindowsDraw);
    c->EnablingRule(s.WindowsDraw);

    const bool custom = !s.WindowsDraw;
    QObject::disconnect(activateHook_);
    if (custom)
        activateHook_ = connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { AEGeneralActivate(); });

    QFont font;
    if (custom) {
        font = QFont(QString::fromStdString(s.FontName), s.FontSize);
    } else {
        font = InSystemMenuFont(QApplication::font());
    }
    for (OrbelDialog* d : Dialogs(prog)) {
        d->setWindowLook(custom, s.TaskBar);
        d->setFont(font);
        if (d == c) c->RichEditHelp->setFont(font);
        if (custom) PaintTitle(d, d->titleText());
    }
}

void TFormGeneral::HideOpenDialogs() {
    for (OrbelDialog* d : Dialogs(Program::instance()))
        if (d->isVisible()) {
            d->hide();
            d->Tag = 1;
        }
}

void TFormGeneral::ShowHiddenDialogs() {
    for (OrbelDialog* d : Dialogs(Program::instance()))
        if (d->Tag == 1) {
            d->show();
            d->Tag = 0;
        }
}

void TFormGeneral::PaintTitle(QWidget* window, const QString& title) {
    auto* d = qobject_cast<OrbelDialog*>(window);
    if (!d || !d->titleBar() || !d->customTitle()) return;
    Program* prog = Program::instance();
    d->titleBar()->setTitleLook(title, QString::fromStdString(prog->settings.FontName), prog->systemColour);
    d->titleBar()->update();
}

void TFormGeneral::AEGeneralActivate() {
    Program* prog = Program::instance();
    for (OrbelDialog* d : {static_cast<OrbelDialog*>(prog->items.get()), static_cast<OrbelDialog*>(prog->config.get()),
                           static_cast<OrbelDialog*>(prog->about.get())}) {
        if (d && d->isVisible()) PaintTitle(d, d->titleText());
        // Each title shows its new look at once, not after the last one.
        QCoreApplication::processEvents();
    }
}

}  // namespace orbel
