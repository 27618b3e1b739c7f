// GTK's connection to the display, opened on first use. GTK must not set the
// process locale: the player parses and prints numbers the C way (scripts,
// scene files), and a locale with a decimal comma would break that.
#include <gtk/gtk.h>

#include "platform/gtk/setup_window.h"

bool openDialogDisplay() {
    gtk_disable_setlocale();
    return gtk_init_check(nullptr, nullptr);
}
