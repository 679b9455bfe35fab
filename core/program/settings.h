#pragma once
// The settings the program keeps in memory, with their defaults, and how
// they are kept in the settings file.

#include <optional>
#include <string>

namespace orbel {

class ProfileFile;

struct Settings {
    bool TaskBar = true;
    bool WindowsDraw = true;
    std::string FontName = "Verdana";
    int FontSize = 8;
    // Qt's portable key-sequence text, e.g. "Ctrl+Alt+Space"; empty is none.
    std::string MenuHotkey;

    bool operator==(const Settings&) const = default;
};

namespace settings_file {
inline constexpr const char* FileName = "orbel.ini";
inline constexpr const char* GeneralSection = "General Settings";
inline constexpr const char* FontSection = "Font Settings";
inline constexpr const char* TaskBarKey = "TaskBar";
inline constexpr const char* WindowsDrawKey = "WindowsDraw";
inline constexpr const char* FontNameKey = "FontName";
inline constexpr const char* FontSizeKey = "FontSize";
inline constexpr const char* MenuHotkeyKey = "MenuHotkey";
}  // namespace settings_file

// An integer as the file keeps it: decimal, or hexadecimal after "0x"/"0X"
// when the text is longer than two characters; nothing when it is neither.
std::optional<int> ParseProfileInteger(const std::string& text);

int ReadProfileInteger(const ProfileFile& file, const std::string& section, const std::string& key, int def);
bool ReadProfileBool(const ProfileFile& file, const std::string& section, const std::string& key, bool def);

Settings ReadSettings(const ProfileFile& file);
// Deletes the keys and writes them anew, which puts each at the end of its
// section: "TaskBar", "MenuHotkey" (only when there is one, so a file of
// today's keys is written as before), then "WindowsDraw", "FontName",
// "FontSize".
void WriteSettings(ProfileFile& file, const Settings& settings);

}  // namespace orbel
