#include "core/program/settings.h"

#include <cstdint>
#include <limits>

#include "core/program/profile_file.h"

namespace orbel {

namespace {

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    return v < base ? v : -1;
}

}  // namespace

std::optional<int> ParseProfileInteger(const std::string& text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        // Up to 32 bits of hexadecimal; the top bit gives a negative number,
        // as a 32-bit integer read from hexadecimal does.
        std::uint64_t v = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            const int d = DigitValue(text[i], 16);
            if (d < 0) return std::nullopt;
            v = v * 16 + static_cast<unsigned>(d);
            if (v > 0xFFFFFFFFu) return std::nullopt;
        }
        return static_cast<int>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        const int d = DigitValue(text[i], 10);
        if (d < 0) return std::nullopt;
        v = v * 10 + d;
        if (v > std::int64_t(std::numeric_limits<int>::max()) + 1) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()) return std::nullopt;
    return static_cast<int>(v);
}

int ReadProfileInteger(const ProfileFile& file, const std::string& section, const std::string& key, int def) {
    return ParseProfileInteger(file.ReadString(section, key, "")).value_or(def);
}

bool ReadProfileBool(const ProfileFile& file, const std::string& section, const std::string& key, bool def) {
    return ReadProfileInteger(file, section, key, def ? 1 : 0) != 0;
}

Settings ReadSettings(const ProfileFile& file) {
    using namespace settings_file;
    const Settings defaults;
    Settings s;
    s.TaskBar = ReadProfileBool(file, GeneralSection, TaskBarKey, defaults.TaskBar);
    s.WindowsDraw = ReadProfileBool(file, FontSection, WindowsDrawKey, defaults.WindowsDraw);
    s.FontName = file.ReadString(FontSection, FontNameKey, defaults.FontName);
    s.FontSize = ReadProfileInteger(file, FontSection, FontSizeKey, defaults.FontSize);
    s.MenuHotkey = file.ReadString(GeneralSection, MenuHotkeyKey, defaults.MenuHotkey);
    return s;
}

void WriteSettings(ProfileFile& file, const Settings& s) {
    using namespace settings_file;
    file.DeleteKey(GeneralSection, TaskBarKey);
    file.DeleteKey(GeneralSection, MenuHotkeyKey);
    file.DeleteKey(FontSection, WindowsDrawKey);
    file.DeleteKey(FontSection, FontNameKey);
    file.DeleteKey(FontSection, FontSizeKey);
    file.WriteString(GeneralSection, TaskBarKey, s.TaskBar ? "1" : "0");
    if (!s.MenuHotkey.empty()) file.WriteString(GeneralSection, MenuHotkeyKey, s.MenuHotkey);
    file.WriteString(FontSection, WindowsDrawKey, s.WindowsDraw ? "1" : "0");
    file.WriteString(FontSection, FontNameKey, s.FontName);
    file.WriteString(FontSection, FontSizeKey, std::to_string(s.FontSize));
}

}  // namespace orbel
