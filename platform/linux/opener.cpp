// GIO first: Qt's keyword macros would rename fields in its headers.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "platform/opener.h"

#include "platform/linux/open_route.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <filesystem>
#include <string_view>

#include "core/store/ascii_case.h"
#include "core/links/desktop_entry.h"
#include "core/store/file_kinds.h"
#include "core/store/program_kind.h"
#include "platform/linux/desktop_exec.h"

namespace orbel::platform {
namespace {

namespace fs = std::filesystem;

// Addresses the default handler may be given. Other schemes are not passed
// on: a stored text must not reach arbitrary URL handlers of the desktop.
bool IsWebAddress(std::string_view text) {
    for (std::string_view prefix : {"http://", "https://", "ftp://", "mailto:"}) {
        if (EqualsNoCase(text.substr(0, prefix.size()), prefix)) return true;
    }
    return false;
}

// The handler is started, not waited for: like the shell's "open", a start
// counts as success, and a handler that fails later tells the user itself.
bool Launch(GAppInfo* app, GList* files) { return g_app_info_launch(app, files, nullptr, nullptr); }

bool OpenWebAddress(const std::string& address) {
    if (!g_uri_is_valid(address.c_str(), G_URI_FLAGS_NONE, nullptr)) return false;
    g_autofree char* scheme = g_uri_parse_scheme(address.c_str());
    g_autoptr(GAppInfo) app = scheme ? g_app_info_get_default_for_uri_scheme(scheme) : nullptr;
    if (!app) return false;
    GList uris{const_cast<char*>(address.c_str()), nullptr, nullptr};
    return g_app_info_launch_uris(app, &uris, nullptr, nullptr);
}

// The handler the freedesktop MIME database and mimeapps.list name for the
// file's type; directories are of type inode/directory.
bool OpenWithDefaultHandler(const std::string& path) {
    g_autoptr(GFile) file = g_file_new_for_path(path.c_str());
    g_autoptr(GAppInfo) app = g_file_query_default_handler(file, nullptr, nullptr);
    if (!app) return false;
    GList files{file, nullptr, nullptr};
    return Launch(app, &files);
}

// GIO sends a D-Bus activation without waiting for the answer, so an entry
// whose name the bus can neither reach nor start would count as started.
bool BusCanStart(const std::string& entry) {
    g_autoptr(GDBusConnection) bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    const std::string name = fs::path(entry).stem().string();
    // Without a bus, or under a file name that is no bus name, GIO runs
    // the Exec line instead.
    if (!bus || !g_dbus_is_name(name.c_str()) || g_dbus_is_unique_name(name.c_str())) return true;
    const auto ask = [&](const char* method, GVariant* arguments, const char* replyType) {
        return g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                           method, arguments, G_VARIANT_TYPE(replyType), G_DBUS_CALL_FLAGS_NONE, -1,
                                           nullptr, nullptr);
    };
    g_autoptr(GVariant) owned = ask("NameHasOwner", g_variant_new("(s)", name.c_str()), "(b)");
    gboolean hasOwner = FALSE;
    if (owned) g_variant_get(owned, "(b)", &hasOwner);
    if (hasOwner) return true;
    g_autoptr(GVariant) startable = ask("ListActivatableNames", nullptr, "(as)");
    if (!startable) return false;
    g_autofree const char** names = nullptr;
    g_variant_get(startable, "(^a&s)", &names);
    for (const char** n = names; n && *n; ++n) {
        if (name == *n) return true;
    }
    return false;
}

// %k of an Exec value (in its escaped form, as the file holds it) replaced
// by the entry's own path, for an entry that no longer comes from its file.
std::string WithEntryPath(std::string_view exec, const std::string& entry) {
    const QByteArray quoted = ExecValue({QString::fromStdString(entry)}).toUtf8();
    std::string out;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        if (exec[i] == '%' && i + 1 < exec.size()) {
            if (exec[i + 1] == 'k') out.append(quoted.constData(), static_cast<std::size_t>(quoted.size()));
            else out.append(exec.substr(i, 2));
            ++i;
            continue;
        }
        out += exec[i];
    }
    return out;
}

// GIO finds a terminal only among the names it knows; Debian names the
// user's chosen terminal x-terminal-emulator, which runs what follows -e.
// Nothing when there is none: GIO's own choice holds then.
GDesktopAppInfo* InUsersTerminal(const std::string& entry) {
    g_autofree char* terminal = g_find_program_in_path("x-terminal-emulator");
    g_autoptr(GKeyFile) keys = g_key_file_new();
    if (!terminal || !g_key_file_load_from_file(keys, entry.c_str(), G_KEY_FILE_KEEP_TRANSLATIONS, nullptr))
        return nullptr;
    g_autofree char* exec = g_key_file_get_value(keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
    if (!exec) return nullptr;
    const std::string inTerminal = ExecValue({QString::fromUtf8(terminal), QStringLiteral("-e")}).toStdString() + ' ' +
                                   WithEntryPath(exec, entry);
    g_key_file_set_value(keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_EXEC, inTerminal.c_str());
    g_key_file_set_boolean(keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_TERMINAL, FALSE);
    return g_desktop_app_info_new_from_keyfile(keys);
}

// The entry started as the desktop starts it: Path= as working directory,
// Terminal=true in a terminal, %i %c %k filled in, D-Bus activation. The
// parameter words, if any, are the files or addresses the entry opens.
bool OpenDesktopEntry(const std::string& path, const std::string& parameters) {
    const std::string entry = fs::absolute(path).string();
    // Nothing for an entry that is no application or whose program is not
    // installed.
    g_autoptr(GDesktopAppInfo) app = g_desktop_app_info_new_from_filename(entry.c_str());
    if (!app) return false;
    g_autoptr(GDesktopAppInfo) inTerminal = nullptr;
    if (g_desktop_app_info_get_boolean(app, "DBusActivatable")) {
        if (!BusCanStart(entry)) return false;
    } else if (g_desktop_app_info_get_boolean(app, G_KEY_FILE_DESKTOP_KEY_TERMINAL)) {
        inTerminal = InUsersTerminal(entry);
    }
    GList* files = nullptr;
    for (const std::string& word : SplitCommandWords(parameters))
        files = g_list_append(files, g_file_new_for_commandline_arg(word.c_str()));
    const bool started = Launch(G_APP_INFO(inTerminal ? inTerminal : app), files);
    g_list_free_full(files, g_object_unref);
    // An activation request is sent in the background: see it on its way,
    // in case this process ends right after.
    if (started && g_desktop_app_info_get_boolean(app, "DBusActivatable")) {
        g_autoptr(GDBusConnection) bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
        if (bus) g_dbus_connection_flush_sync(bus, nullptr, nullptr);
    }
    return started;
}

bool StartProgram(const std::string& path, const std::string& parameters) {
    QStringList words;
    for (const std::string& word : SplitCommandWords(parameters)) words << QString::fromStdString(word);
    // The absolute path, so a relative one is never looked up in PATH.
    return QProcess::startDetached(QFileInfo(QString::fromStdString(path)).absoluteFilePath(), words,
                                   QDir::currentPath());
}

}  // namespace

OpenRoute RouteFor(const std::string& path) {
    if (IsWebAddress(path)) return OpenRoute::WebAddress;
    std::error_code ec;
    const fs::file_status status = path.empty() ? fs::file_status{} : fs::status(path, ec);
    if (!fs::exists(status)) return OpenRoute::Missing;
    if (fs::is_directory(status)) return OpenRoute::DefaultHandler;
    // A launcher has a name before its extension.
    if (fs::is_regular_file(status) && path.size() > kDesktopEntryExtension.size() &&
        KindOfPathEnd(path) == ExtensionKind::DesktopEntry)
        return OpenRoute::DesktopEntry;
    if (IsProgramPath(path)) return OpenRoute::Program;
    return OpenRoute::DefaultHandler;
}

bool OpenPath(const std::string& path, const std::string& parameters, ShowMode /*mode*/) {
    switch (RouteFor(path)) {
    case OpenRoute::Missing: return false;
    case OpenRoute::WebAddress: return OpenWebAddress(path);
    case OpenRoute::Program: return StartProgram(path, parameters);
    case OpenRoute::DesktopEntry: return OpenDesktopEntry(path, parameters);
    case OpenRoute::DefaultHandler: return OpenWithDefaultHandler(path);
    }
    return false;
}

}  // namespace orbel::platform
