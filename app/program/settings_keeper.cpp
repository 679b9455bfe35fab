#include "app/program/settings_keeper.h"

#include <QApplication>
#include <QFile>

#include "app/dialogs/form_about.h"
#include "app/dialogs/form_config.h"
#include "app/dialogs/title_painter.h"
#include "app/manager/form_items.h"
#include "app/program/form_general.h"
#include "app/widgets/system_fonts.h"
#include "core/program/file_places.h"
#include "core/program/profile_file.h"
#include "core/program/settings.h"
#include "platform/platform.h"

namespace orbel {

std::string SettingsKeeper::settingsPath() const {
    return QFile::encodeName(QString::fromStdString(p_.places.settingsFile())).toStdString();
}

QList<OrbelDialog*> SettingsKeeper::dialogs() const { return {&p_.config, &p_.items, &p_.about}; }

void SettingsKeeper::LoadSettings() {
    p_.settings = ReadSettings(ProfileFile::Load(settingsPath()));
    ReadAutostart();
}

void SettingsKeeper::SaveSettings() {
    const Settings s = p_.config.chosenSettings(p_.settings);
    const std::string path = settingsPath();
    ProfileFile file = ProfileFile::Load(path);
    WriteSettings(file, s);
    file.Save(path);
    WriteAutostart(p_.config.startWithSession());
}

void SettingsKeeper::ReadAutostart() { p_.config.showStartWithSession(p_.platform.ReadAutostart()); }

void SettingsKeeper::WriteAutostart(bool on) { p_.platform.WriteAutostart(on, p_.startCommand.toStdString()); }

void SettingsKeeper::ApplySettings() {
    const Settings& s = p_.settings;
    TFormConfig* c = &p_.config;

    c->showSettings(s);

    const bool custom = !s.WindowsDraw;
    p_.general.setActivationRepaint(custom);

    QFont font;
    if (custom) {
        font = QFont(QString::fromStdString(s.FontName), s.FontSize);
    } else {
        font = InSystemMenuFont(QApplication::font());
    }
    for (OrbelDialog* d : dialogs()) {
        d->setWindowLook(custom, s.TaskBar);
        d->setFont(font);
        if (d == c) c->setHelpFont(font);
        if (custom) p_.titles.PaintTitle(d, d->titleText());
    }
}

void SettingsKeeper::HideOpenDialogs() {
    for (OrbelDialog* d : dialogs())
        if (d->isVisible()) {
            d->hide();
            d->Tag = 1;
        }
}

void SettingsKeeper::ShowHiddenDialogs() {
    for (OrbelDialog* d : dialogs())
        if (d->Tag == 1) {
            d->show();
            d->Tag = 0;
        }
}

}  // namespace orbel
