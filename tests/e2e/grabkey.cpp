// A second X client for the hotkey tests: grabs one key combination on the root window, says
// "grabbed" on stdout once the server accepted the grab, counts the presses it receives, and
// holds the grab until it is killed or stdin closes.
//   grabkey KEYSYM-NAME-HEX MODMASK   e.g. grabkey ffc2 12   (F5 with Ctrl+Alt)

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: grabkey KEYSYM-HEX X-MODIFIER-MASK\n");
        return 2;
    }
    const auto keysym = static_cast<xcb_keysym_t>(std::strtoul(argv[1], nullptr, 16));
    const auto mods = static_cast<uint16_t>(std::strtoul(argv[2], nullptr, 10));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "grabkey: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    if (!codes || codes[0] == XCB_NO_SYMBOL) {
        std::fprintf(stderr, "grabkey: no key for keysym %s\n", argv[1]);
        return 1;
    }
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_grab_key_checked(c, 0, root, mods, codes[0], XCB_GRAB_MODE_ASYNC,
                                                  XCB_GRAB_MODE_ASYNC));
    if (error) {
        std::fprintf(stderr, "grabkey: the server refused the grab (error %d)\n",
                     error->error_code);
        return 1;
    }
    std::printf("grabbed\n");
    std::fflush(stdout);
    int presses = 0;
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        if ((event->response_type & 0x7F) == XCB_KEY_PRESS) {
            std::printf("press %d\n", ++presses);
            std::fflush(stdout);
        }
        std::free(event);
    }
    return 0;
}
