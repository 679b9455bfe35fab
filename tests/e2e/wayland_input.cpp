// A test pointer and keyboard for KWin on Wayland, through its fake-input
// protocol (KWin must run with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1):
//   orbel_wayland_input move X Y | click|press|release BUTTON | key CODE ...
// runs the steps in order; BUTTON is 1 (left), 2 (middle) or 3 (right), CODE
// a Linux key code (108 Down, 28 Enter, 1 Esc). Ends once KWin has them all.

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fake-input-client-protocol.h"

namespace {

org_kde_kwin_fake_input* input = nullptr;
uint32_t inputVersion = 0;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0) {
        inputVersion = version < 4 ? version : 4;
        input = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, inputVersion));
    }
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry = {Global, GlobalRemove};

// Linux input button codes.
uint32_t Button(int b) { return b == 3 ? 0x111 : b == 2 ? 0x112 : 0x110; }

int Usage() {
    std::fprintf(stderr, "usage: orbel_wayland_input (move X Y | click|press|release BUTTON | key CODE)...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistry, nullptr);
    wl_display_roundtrip(display);
    if (!input || inputVersion < 4) {
        std::fprintf(stderr, "the compositor offers no fake input (version 4)\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input, "orbel e2e", "drives the desktop in a test");
    for (int i = 1; i < argc; ++i) {
        const char* step = argv[i];
        if (std::strcmp(step, "move") == 0 && i + 2 < argc) {
            org_kde_kwin_fake_input_pointer_motion_absolute(input, wl_fixed_from_int(std::atoi(argv[i + 1])),
                                                            wl_fixed_from_int(std::atoi(argv[i + 2])));
            i += 2;
        } else if ((std::strcmp(step, "click") == 0 || std::strcmp(step, "press") == 0) && i + 1 < argc) {
            const uint32_t b = Button(std::atoi(argv[i + 1]));
            org_kde_kwin_fake_input_button(input, b, WL_POINTER_BUTTON_STATE_PRESSED);
            if (step[0] == 'c') org_kde_kwin_fake_input_button(input, b, WL_POINTER_BUTTON_STATE_RELEASED);
            ++i;
        } else if (std::strcmp(step, "release") == 0 && i + 1 < argc) {
            org_kde_kwin_fake_input_button(input, Button(std::atoi(argv[++i])), WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (std::strcmp(step, "key") == 0 && i + 1 < argc) {
            const auto code = static_cast<uint32_t>(std::atoi(argv[++i]));
            org_kde_kwin_fake_input_keyboard_key(input, code, WL_KEYBOARD_KEY_STATE_PRESSED);
            org_kde_kwin_fake_input_keyboard_key(input, code, WL_KEYBOARD_KEY_STATE_RELEASED);
        } else {
            return Usage();
        }
        // One step at a time: a press lands where the pointer already is.
        wl_display_roundtrip(display);
    }
    org_kde_kwin_fake_input_destroy(input);
    wl_display_disconnect(display);
    return 0;
}
