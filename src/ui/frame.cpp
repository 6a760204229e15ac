#include "frame.h"

#include <cstring>

#include <QtGlobal>

#include <wayland-client.h>

namespace ui {
namespace {

// Whether the Wayland compositor offers to draw the frames of its programs'
// windows (the xdg-decoration protocol, which Qt uses where it is offered).
bool compositorDrawsFrames(wl_display* display)
{
    bool offered = false;
    static const wl_registry_listener listener = {
        .global = [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) *static_cast<bool*>(data) = true;
        },
        .global_remove = [](void*, wl_registry*, uint32_t) {},
    };
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    return offered;
}

}  // namespace

const char* platformForTheDesktopsFrame()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
        !qEnvironmentVariableIsSet("DISPLAY"))
        return nullptr;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return nullptr;
    const bool framed = compositorDrawsFrames(display);
    wl_display_disconnect(display);
    return framed ? nullptr : "xcb";
}

}  // namespace ui
