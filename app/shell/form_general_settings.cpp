// The hidden main window's share of the settings: the settings file, the
// autostart entry, applying both to the dialogs, and the painted titles.

#include <QApplication>
#include <QFile>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/manager/form_items.h"
#include "app/shell/form_general.h"
#include "app/shell/program.h"
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

}  // namespace

void TFormGeneral::LoadSettings() {
    Program* prog = Program::instance();
    prog->settings = ReadSettings(ProfileFile::Load(SettingsPath()));
    ReadAutostart();
}

void TFormGeneral::SaveSettings() {
    Program* prog = Program::instance();
    const Settings s = prog->config->chosenSettings(prog->settings);
    const std::string path = SettingsPath();
    ProfileFile file = ProfileFile::Load(path);
    WriteSettings(file, s);
    file.Save(path);
    WriteAutostart(prog->config->startWithSession());
}

void TFormGeneral::ReadAutostart() {
    Program* prog = Program::instance();
    if (prog->config) prog->config->showStartWithSession(platform::ReadAutostart());
}

void TFormGeneral::WriteAutostart(bool on) {
    Program* prog = Program::instance();
    platform::WriteAutostart(on, prog->startCommand.toStdString());
}

void TFormGeneral::ApplySettings() {
    Program* prog = Program::instance();
    const Settings& s = prog->settings;
    TFormConfig* c = prog->config.get();

    c->showSettings(s);

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
        if (d == c) c->setHelpFont(font);
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
