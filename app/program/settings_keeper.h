#pragma once
// The settings file and the autostart entry: read at start-up and after the
// preferences' OK, Apply and Cancel, written by OK and Apply, and applied to
// the three dialogs.

#include <QList>
#include <QString>
#include <string>

namespace orbel {

namespace platform {
class Platform;
}
struct Settings;
struct FilePlaces;
class OrbelDialog;
class TFormConfig;
class TFormItems;
class TFormAbout;
class TFormGeneral;
class TitlePainter;

// The program's parts the settings work on, all owned by the program.
struct SettingsParts {
    Settings& settings;
    const FilePlaces& places;
    // What the autostart entry runs.
    const QString& startCommand;
    TFormConfig& config;
    TFormItems& items;
    TFormAbout& about;
    TitlePainter& titles;
    // Repaints the titles when the application is activated.
    TFormGeneral& general;
    // Reads and writes the autostart entry.
    platform::Platform& platform;
};

class SettingsKeeper {
public:
    explicit SettingsKeeper(const SettingsParts& parts) : p_(parts) {}

    void LoadSettings();
    // Throws ProfileError when the settings file cannot be written (the
    // autostart entry is then left alone), and std::runtime_error when the
    // autostart entry cannot be written after the file was.
    void SaveSettings();
    void ApplySettings();
    void ReadAutostart();
    void WriteAutostart(bool on);
    // Around OK and Apply: open dialogs leave and come back with the new look.
    void HideOpenDialogs();
    void ShowHiddenDialogs();

private:
    // The three dialogs in the order the settings steps visit them.
    QList<OrbelDialog*> dialogs() const;
    std::string settingsPath() const;

    SettingsParts p_;
};

}  // namespace orbel
