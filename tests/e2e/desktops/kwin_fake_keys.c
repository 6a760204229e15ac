/* Reads "KEYCODE 1|0" lines (evdev codes) on stdin, sends each key to KWin
   through org_kde_kwin_fake_input and answers "ok" once KWin has it. */
#include <stdio.h>
#include <string.h>
#include <wayland-client.h>
#include "fake-input-client-protocol.h"

static struct org_kde_kwin_fake_input *fake;

static void global(void *data, struct wl_registry *r, uint32_t name, const char *iface, uint32_t version)
{
    if (strcmp(iface, org_kde_kwin_fake_input_interface.name) == 0)
        fake = wl_registry_bind(r, name, &org_kde_kwin_fake_input_interface, version < 4 ? version : 4);
}
static void global_remove(void *data, struct wl_registry *r, uint32_t name) {}
static const struct wl_registry_listener listener = {global, global_remove};

int main(void)
{
    struct wl_display *d = wl_display_connect(NULL);
    if (!d) { fprintf(stderr, "no display\n"); return 1; }
    struct wl_registry *r = wl_display_get_registry(d);
    wl_registry_add_listener(r, &listener, NULL);
    wl_display_roundtrip(d);
    if (!fake) { fprintf(stderr, "no fake input\n"); return 1; }
    org_kde_kwin_fake_input_authenticate(fake, "snelk test run", "keys for a test");
    wl_display_roundtrip(d);
    unsigned code, state;
    setvbuf(stdout, NULL, _IOLBF, 0);
    while (scanf("%u %u", &code, &state) == 2) {
        org_kde_kwin_fake_input_keyboard_key(fake, code, state);
        wl_display_roundtrip(d);
        puts("ok");
    }
    return 0;
}
