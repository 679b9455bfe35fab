#include "platform/desktop_icons.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <cstdlib>
#include <unordered_map>

namespace orbel::platform {

namespace {

std::string Take(gchar* text) {
    std::string out = text ? text : "";
    g_free(text);
    return out;
}

// A themed icon's first name, or a file icon's path.
std::string IconText(GIcon* icon) {
    if (!icon) return {};
    if (G_IS_THEMED_ICON(icon)) {
        const gchar* const* names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        return names && names[0] ? names[0] : "";
    }
    if (G_IS_FILE_ICON(icon)) return Take(g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon))));
    return {};
}

// An absolute path as it is, a bare name through PATH; empty when not found.
std::string ProgramFile(const char* word) {
    if (!word || !*word) return {};
    if (word[0] == '/') return word;
    return Take(g_find_program_in_path(word));
}

class InstalledEntries final : public ProgramEntryIcons {
public:
    std::string iconFor(const std::string& programPath) override {
        if (!read_) readList();
        auto it = byProgram_.find(programPath);
        if (it == byProgram_.end()) {
            // The item may name a link to the program, or the program a link.
            g_autofree gchar* real = realpath(programPath.c_str(), nullptr);
            if (real) it = byProgram_.find(real);
        }
        return it == byProgram_.end() ? std::string() : it->second;
    }

private:
    void add(const std::string& program, const std::string& icon) {
        if (program.empty() || icon.empty()) return;
        note(program, icon);
        g_autofree gchar* real = realpath(program.c_str(), nullptr);
        if (real && program != real) note(real, icon);
    }

    // A program that entries with different icons start (env, sh, a
    // sandbox's runner) says nothing about which one an item means.
    void note(const std::string& program, const std::string& icon) {
        auto [it, added] = byProgram_.emplace(program, icon);
        if (!added && it->second != icon) it->second.clear();
    }

    void readList() {
        read_ = true;
        GList* all = g_app_info_get_all();
        for (GList* l = all; l; l = l->next) {
            auto* info = G_APP_INFO(l->data);
            const std::string icon = IconText(g_app_info_get_icon(info));
            if (!icon.empty()) {
                add(ProgramFile(g_app_info_get_executable(info)), icon);
                if (G_IS_DESKTOP_APP_INFO(info)) {
                    g_autofree gchar* tryExec = g_desktop_app_info_get_string(G_DESKTOP_APP_INFO(info), "TryExec");
                    add(ProgramFile(tryExec), icon);
                }
            }
        }
        g_list_free_full(all, g_object_unref);
    }

    bool read_ = false;
    std::unordered_map<std::string, std::string> byProgram_;
};

}  // namespace

std::string DesktopEntryIcon(const std::string& desktopFile) {
    g_autoptr(GKeyFile) file = g_key_file_new();
    if (!g_key_file_load_from_file(file, desktopFile.c_str(), G_KEY_FILE_NONE, nullptr)) return {};
    return Take(g_key_file_get_string(file, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_ICON, nullptr));
}

std::unique_ptr<ProgramEntryIcons> InstalledProgramEntryIcons() { return std::make_unique<InstalledEntries>(); }

}  // namespace orbel::platform
