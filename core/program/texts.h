#pragma once
// The program's own texts: names, titles and the messages composed at start.

#include <string>

namespace orbel::texts {

inline constexpr const char* ProductName = "Tandrel Orbel";
inline constexpr const char* Version = "1.12";
inline constexpr const char* WebAddress = "https://orbel.example.org/";
inline constexpr const char* SupportAddress = "support@orbel.example.org";
inline constexpr const char* CompanyName = "Tandrel";
inline constexpr const char* Authorship = "Copyright (c) 2026 the Tandrel Orbel developers";
inline constexpr const char* InstanceName = "{EC026F81-E509-4559-8445-CD9A237072F0}";
// The launcher's name (tandrel-orbel.desktop): desktops find it from the
// windows' application id and class.
inline constexpr const char* DesktopId = "tandrel-orbel";

// Shown once when the desktop has no notification area at all.
inline constexpr const char* NoTrayNotice =
    "Tandrel Orbel lives in the notification area (the system tray), but this desktop has none "
    "right now.\n\n"
    "The program keeps running, and its icon appears as soon as a notification area is there.\n\n"
    "On GNOME, install and switch on the AppIndicator extension (Debian package "
    "\"gnome-shell-extension-appindicator\", then log out and in again). On other desktops, add a "
    "\"Status Notifier\" or \"System Tray\" item to the panel.";

inline constexpr const char* ItemsTitleSuffix = " - Manage Items";
inline constexpr const char* ConfigTitleSuffix = " - Preferences";
inline constexpr const char* AboutTitleSuffix = " - About";
inline constexpr const char* FindTitleSuffix = " - Find";

std::string Title(const char* suffix);  // product name + suffix
// "Tandrel Orbel version 1.12 for Windows", with the name of the system it
// runs on (platform::SystemName).
std::string VersionLine(const std::string& systemName);
std::string DistributorLine();

// Directories end with the platform's separator: logDir holds
// "errorlog.txt", dataDir the store and its backup "item_bak".
std::string HelpTail(const std::string& logDir);
std::string CrashMessage(const std::string& logDir);
std::string BackupPrompt(const std::string& dataDir, const std::string& logDir);

std::string OpeningErrorText(const std::string& path);
std::string NotFoundText(const std::string& path);

}  // namespace orbel::texts
