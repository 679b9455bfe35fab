#include "platform/taskbar.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace orbel::platform {

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return a;
}

}  // namespace

void SetSkipTaskbar(std::uintptr_t window, bool skip, bool mapped) {
    if (!window || !qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return;
    const xcb_window_t win = static_cast<xcb_window_t>(window);
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = Atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE) return;

    if (!mapped) {
        // Before mapping the window owns the property: keep the other states.
        std::vector<xcb_atom_t> atoms;
        xcb_get_property_reply_t* r = xcb_get_property_reply(
            c, xcb_get_property(c, 0, win, state, XCB_ATOM_ATOM, 0, 1024), nullptr);
        if (r && r->format == 32) {
            const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(r));
            for (int i = 0; i < xcb_get_property_value_length(r) / 4; ++i)
                if (data[i] != skipTaskbar) atoms.push_back(data[i]);
        }
        free(r);
        if (skip) atoms.push_back(skipTaskbar);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, state, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()),
                            atoms.data());
    } else {
        // On screen the window manager owns it: ask through the root window.
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = win;
        ev.type = state;
        ev.data.data32[0] = skip ? 1 : 0;  // add or remove
        ev.data.data32[1] = skipTaskbar;
        ev.data.data32[3] = 1;  // from an ordinary application
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
    }
    xcb_flush(c);
}

}  // namespace orbel::platform
