#include "platform/tray_host.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace orbel::platform {

namespace {
// The screen number of DISPLAY (":0.1" is screen 1); the tray selection
// is per screen.
int ScreenNumber() {
    const char* display = std::getenv("DISPLAY");
    if (!display) return 0;
    const char* colon = std::strrchr(display, ':');
    const char* dot = colon ? std::strchr(colon, '.') : nullptr;
    return dot ? std::atoi(dot + 1) : 0;
}
}  // namespace

bool XEmbedTrayPresent() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return false;
    // Asked every second: the selection's name is looked up once.
    static xcb_atom_t selection = XCB_ATOM_NONE;
    if (selection == XCB_ATOM_NONE) {
        const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(ScreenNumber());
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.c_str()), nullptr);
        if (!atom) return false;
        selection = atom->atom;
        free(atom);
    }
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection),
                                                                           nullptr);
    const bool present = owner && owner->owner != XCB_NONE;
    free(owner);
    return present;
}

}  // namespace orbel::platform
