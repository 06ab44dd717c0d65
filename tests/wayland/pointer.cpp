// A pointer for a compositor whose seat has no devices: it makes a virtual pointer and plays the
// commands it reads, one a line, until the end of its input.
//   move X Y          the pointer to pixel X,Y of the output layout
//   press left|right  a button goes down
//   release left|right
// Each command is one frame. Once the compositor has handled it, "done" goes out on a line of its own,
// so a script can wait for it before it looks at the screen.
// Usage: tavorin-pointer LAYOUT_WIDTH LAYOUT_HEIGHT < commands
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <chrono>
#include <cstring>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

namespace {

// BTN_LEFT and BTN_RIGHT of linux/input-event-codes.h
const std::map<std::string, uint32_t> kButtons { { "left", 0x110 }, { "right", 0x111 } };

struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void announce(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat)
        globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        globals->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void withdraw(void*, wl_registry*, uint32_t) { }

const wl_registry_listener registryListener { announce, withdraw };

uint32_t now()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Sends one command; false when the line is not one.
bool play(zwlr_virtual_pointer_v1* pointer, const std::string& line, uint32_t width, uint32_t height)
{
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb == "move") {
        uint32_t x = 0, y = 0;
        if (!(words >> x >> y) || x >= width || y >= height)
            return false;
        zwlr_virtual_pointer_v1_motion_absolute(pointer, now(), x, y, width, height);
    } else if (verb == "press" || verb == "release") {
        std::string name;
        if (!(words >> name) || !kButtons.contains(name))
            return false;
        zwlr_virtual_pointer_v1_button(pointer, now(), kButtons.at(name),
                                       verb == "press" ? WL_POINTER_BUTTON_STATE_PRESSED
                                                       : WL_POINTER_BUTTON_STATE_RELEASED);
    } else {
        return false;
    }
    zwlr_virtual_pointer_v1_frame(pointer);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    uint32_t width = 0, height = 0;
    if (argc != 3 || !(std::istringstream(argv[1]) >> width) || !(std::istringstream(argv[2]) >> height)
        || width == 0 || height == 0) {
        std::cerr << "usage: tavorin-pointer LAYOUT_WIDTH LAYOUT_HEIGHT < commands\n";
        return 2;
    }
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::cerr << "tavorin-pointer: no Wayland display (WAYLAND_DISPLAY, XDG_RUNTIME_DIR)\n";
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &globals);
    wl_display_roundtrip(display);
    if (!globals.manager) {
        std::cerr << "tavorin-pointer: the compositor offers no zwlr_virtual_pointer_manager_v1\n";
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer
        = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager, globals.seat);
    wl_display_roundtrip(display);

    std::string line;
    for (int number = 1; std::getline(std::cin, line); ++number) {
        if (line.empty())
            continue;
        if (!play(pointer, line, width, height)) {
            std::cerr << "tavorin-pointer: line " << number << " is not a command: " << line << '\n';
            return 2;
        }
        if (wl_display_roundtrip(display) < 0) {
            std::cerr << "tavorin-pointer: the compositor closed the connection at line " << number << '\n';
            return 1;
        }
        std::cout << "done" << std::endl;
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(globals.manager);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
