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

std::string SettingsPath(const Program& prog) { return QFile::encodeName(prog.settingsFile()).toStdString(); }

// The three dialogs in the order the settings steps visit them.
QList<OrbelDialog*> Dialogs(Program& prog) {
    QList<OrbelDialog*> out;
    for (OrbelDialog* d : {static_cast<OrbelDialog*>(prog.config.get()), static_cast<OrbelDialog*>(prog.items.get()),
                           static_cast<OrbelDialog*>(prog.about.get())})
        if (d) out << d;
    return out;
}

}  // namespace

void TFormGeneral::LoadSettings() {
    program_.settings = ReadSettings(ProfileFile::Load(SettingsPath(program_)));
    ReadAutostart();
}

void TFormGeneral::SaveSettings() {
    const Settings s = program_.config->chosenSettings(program_.settings);
    const std::string path = SettingsPath(program_);
    ProfileFile file = ProfileFile::Load(path);
    WriteSettings(file, s);
    file.Save(path);
    WriteAutostart(program_.config->startWithSession());
}

void TFormGeneral::ReadAutostart() {
    if (program_.config) program_.config->showStartWithSession(platform::ReadAutostart());
}

void TFormGeneral::WriteAutostart(bool on) { platform::WriteAutostart(on, program_.startCommand.toStdString()); }

void TFormGeneral::ApplySettings() {
    const Settings& s = program_.settings;
    TFormConfig* c = program_.config.get();

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
    for (OrbelDialog* d : Dialogs(program_)) {
        d->setWindowLook(custom, s.TaskBar);
        d->setFont(font);
        if (d == c) c->setHelpFont(font);
        if (custom) PaintTitle(d, d->titleText());
    }
}

void TFormGeneral::HideOpenDialogs() {
    for (OrbelDialog* d : Dialogs(program_))
        if (d->isVisible()) {
            d->hide();
            d->Tag = 1;
        }
}

void TFormGeneral::ShowHiddenDialogs() {
    for (OrbelDialog* d : Dialogs(program_))
        if (d->Tag == 1) {
            d->show();
            d->Tag = 0;
        }
}

void TFormGeneral::PaintTitle(QWidget* window, const QString& title) {
    auto* d = qobject_cast<OrbelDialog*>(window);
    if (!d || !d->titleBar() || !d->customTitle()) return;
    d->titleBar()->setTitleLook(title, QString::fromStdString(program_.settings.FontName), program_.systemColour);
    d->titleBar()->update();
}

void TFormGeneral::AEGeneralActivate() {
    for (OrbelDialog* d :
         {static_cast<OrbelDialog*>(program_.items.get()), static_cast<OrbelDialog*>(program_.config.get()),
          static_cast<OrbelDialog*>(program_.about.get())}) {
        if (d && d->isVisible()) PaintTitle(d, d->titleText());
        // Each title shows its new look at once, not after the last one.
        QCoreApplication::processEvents();
    }
}

}  // namespace orbel
