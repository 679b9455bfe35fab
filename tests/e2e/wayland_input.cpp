// A test pointer and keyboard for KWin on Wayland, through its fake-input
// protocol (KWin must run with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1). It
// reads steps from its input, a line at a time, until the input ends:
//   move X Y | click BUTTON | press BUTTON | release BUTTON | key CODE |
//   keydown CODE | keyup CODE (a modifier held around other keys)
// BUTTON is 1 (left), 2 (middle) or 3 (right), CODE a Linux key code (108
// Down, 28 Enter, 1 Esc). KWin makes a device for each client and loses
// events around its making and its end, so one client serves a whole test.

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

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
uint32_t ButtonCode(int b) { return b == 3 ? 0x111 : b == 2 ? 0x112 : 0x110; }

void Button(uint32_t button, wl_pointer_button_state state) { org_kde_kwin_fake_input_button(input, button, state); }

void Key(uint32_t code) {
    org_kde_kwin_fake_input_keyboard_key(input, code, WL_KEYBOARD_KEY_STATE_PRESSED);
    org_kde_kwin_fake_input_keyboard_key(input, code, WL_KEYBOARD_KEY_STATE_RELEASED);
}

// One line of steps; false on a word that is no step.
bool Run(const std::string& line) {
    std::istringstream words(line);
    std::string step;
    while (words >> step) {
        int a = 0, b = 0;
        if (step == "move" && words >> a >> b) {
            org_kde_kwin_fake_input_pointer_motion_absolute(input, wl_fixed_from_int(a), wl_fixed_from_int(b));
        } else if (step == "click" && words >> a) {
            Button(ButtonCode(a), WL_POINTER_BUTTON_STATE_PRESSED);
            Button(ButtonCode(a), WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (step == "press" && words >> a) {
            Button(ButtonCode(a), WL_POINTER_BUTTON_STATE_PRESSED);
        } else if (step == "release" && words >> a) {
            Button(ButtonCode(a), WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (step == "key" && words >> a) {
            Key(static_cast<uint32_t>(a));
        } else if ((step == "keydown" || step == "keyup") && words >> a) {
            org_kde_kwin_fake_input_keyboard_key(
                input, static_cast<uint32_t>(a),
                step == "keydown" ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
        } else {
            std::fprintf(stderr, "orbel_wayland_input: no step '%s'\n", line.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main() {
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
    wl_display_roundtrip(display);
    int status = 0;
    for (std::string line; std::getline(std::cin, line);) {
        if (!Run(line)) status = 2;
        wl_display_roundtrip(display);
    }
    org_kde_kwin_fake_input_destroy(input);
    wl_display_disconnect(display);
    return status;
}
