// GIO first: Qt's keyword macros would rename fields in its headers.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include "platform/applications.h"

namespace orbel::platform {

std::vector<InstalledApplication> InstalledApplications() {
    std::vector<InstalledApplication> apps;
    // GIO has already dropped what the desktop would not start: Hidden
    // entries, a missing TryExec, entries it could not read; an entry found
    // in several directories comes once, from the one that wins.
    GList* all = g_app_info_get_all();
    for (GList* l = all; l; l = l->next) {
        GAppInfo* info = G_APP_INFO(l->data);
        if (!G_IS_DESKTOP_APP_INFO(info) || !g_app_info_should_show(info)) continue;
        GDesktopAppInfo* desktop = G_DESKTOP_APP_INFO(info);
        const char* file = g_desktop_app_info_get_filename(desktop);
        if (!file) continue;
        InstalledApplication app;
        app.file = file;
        // Without a Name GIO says "Unnamed"; the caption then comes from
        // the file instead.
        if (g_desktop_app_info_has_key(desktop, G_KEY_FILE_DESKTOP_KEY_NAME)) {
            const char* name = g_app_info_get_name(info);
            if (name) app.name = name;
        }
        if (const char* categories = g_desktop_app_info_get_categories(desktop)) app.categories = categories;
        apps.push_back(std::move(app));
    }
    g_list_free_full(all, g_object_unref);
    return apps;
}

}  // namespace orbel::platform
