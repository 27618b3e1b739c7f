// GTK's connection to the display, opened on first use. GTK must not set the
// process locale: the player parses and prints numbers the C way (scripts,
// scene files), and a locale with a decimal comma would break that.
#include <gtk/gtk.h>

#include "platform/gtk/setup_window.h"

bool openDialogDisplay() {
    static const bool localeKept = (gtk_disable_setlocale(), true);  // before GTK's first start
    (void)localeKept;
    return gtk_init_check(nullptr, nullptr);
}
