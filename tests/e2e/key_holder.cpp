// Another program that holds a key on the X root window, as a desktop's
// own shortcut would: key_holder KEYSYM MODIFIERS. Prints "held" once it
// has the key and keeps it until it is ended.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const xcb_keysym_t sym = xcb_keysym_t(strtoul(argv[1], nullptr, 0));
    const uint16_t mods = uint16_t(strtoul(argv[2], nullptr, 0));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 1;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    const int first = setup->min_keycode, count = setup->max_keycode - first + 1;
    xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, xcb_keycode_t(first), uint8_t(count)), nullptr);
    if (!map) return 1;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
    for (int i = 0; i < count; ++i)
        if (syms[i * map->keysyms_per_keycode] == sym) {
            xcb_void_cookie_t k = xcb_grab_key_checked(c, 1, root, mods, xcb_keycode_t(first + i), XCB_GRAB_MODE_ASYNC,
                                                       XCB_GRAB_MODE_ASYNC);
            if (xcb_generic_error_t* e = xcb_request_check(c, k)) {
                fprintf(stderr, "grab refused: %d\n", e->error_code);
                return 1;
            }
            printf("held\n");
            fflush(stdout);
            for (;;) pause();
        }
    fprintf(stderr, "no key gives keysym %#x\n", unsigned(sym));
    return 1;
}
