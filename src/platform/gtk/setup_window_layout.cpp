#include "platform/gtk/setup_window_layout.h"

namespace {

constexpr int spacing = 6;
// Long adapter descriptions are cut short so the window keeps the
// picture's width.
constexpr int listWidthInCharacters = 14;

GdkPixbuf* pixbufFrom(const SetupPicture& picture) {
    GdkPixbuf* pixbuf =
        gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, int(picture.width), int(picture.height));
    guchar* rows = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    for (unsigned y = 0; y < picture.height; ++y) {
        guchar* out = rows + std::size_t(y) * stride;
        for (unsigned x = 0; x < picture.width; ++x, out += 3) {
            const std::uint32_t argb = picture.pixels[std::size_t(y) * picture.width + x];
            out[0] = guchar(argb >> 16);
            out[1] = guchar(argb >> 8);
            out[2] = guchar(argb);
        }
    }
    return pixbuf;
}

GtkWidget* pictureWidget(const SetupPicture& picture) {
    if (picture.width == 0 || picture.height == 0 ||
        picture.pixels.size() != std::size_t(picture.width) * picture.height)
        return gtk_image_new();
    GdkPixbuf* pixbuf = pixbufFrom(picture);
    GtkWidget* image = gtk_image_new_from_pixbuf(pixbuf);
    g_object_unref(pixbuf);
    return image;
}

GtkWidget* dropDownList() {
    GtkWidget* list = gtk_combo_box_text_new();
    GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(list));
    for (GList* cell = cells; cell; cell = cell->next)
        g_object_set(cell->data, "ellipsize", PANGO_ELLIPSIZE_END, "max-width-chars",
                     listWidthInCharacters, nullptr);
    g_list_free(cells);
    return list;
}

GtkWidget* groupBox(const char* title, GtkWidget* content) {
    GtkWidget* frame = gtk_frame_new(title);
    gtk_container_set_border_width(GTK_CONTAINER(content), spacing);
    gtk_container_add(GTK_CONTAINER(frame), content);
    return frame;
}

GtkWidget* row(GtkWidget* first, GtkWidget* second, bool sameWidths) {
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, spacing);
    gtk_box_set_homogeneous(GTK_BOX(box), sameWidths);
    gtk_box_pack_start(GTK_BOX(box), first, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(box), second, TRUE, TRUE, 0);
    return box;
}

GtkWidget* column(GtkWidget* top, GtkWidget* bottom) {
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_VERTICAL, spacing);
    gtk_box_pack_start(GTK_BOX(box), top, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), bottom, FALSE, FALSE, 0);
    return box;
}

// "Windowed" stands left of "Full Screen", as in the resource; both are one
// radio group.
void makeChoices(SetupWindowWidgets& w) {
    w.windowedChoice = gtk_radio_button_new_with_label(nullptr, "Windowed");
    w.fullScreenChoice = gtk_radio_button_new_with_label_from_widget(
        GTK_RADIO_BUTTON(w.windowedChoice), "Full Screen");
}

void makeButtons(SetupWindowWidgets& w) {
    w.runDemoButton = gtk_button_new_with_label("run demo");
    w.runAwayButton = gtk_button_new_with_label("run away");
    gtk_widget_set_can_default(w.runDemoButton, TRUE);
}

GtkWidget* leftColumn(SetupWindowWidgets& w) {
    w.adapterList = dropDownList();
    w.deviceList = dropDownList();
    return column(groupBox("display adapter", w.adapterList),
                  groupBox("device type", w.deviceList));
}

GtkWidget* rightColumn(SetupWindowWidgets& w) {
    w.modeList = dropDownList();
    makeChoices(w);
    makeButtons(w);
    GtkWidget* videoMode = column(w.modeList, row(w.windowedChoice, w.fullScreenChoice, false));
    return column(groupBox("video mode", videoMode), row(w.runDemoButton, w.runAwayButton, true));
}

void configureWindow(GtkWidget* window) {
    GtkWindow* w = GTK_WINDOW(window);
    gtk_window_set_title(w, "Vexmoorra");
    gtk_window_set_position(w, GTK_WIN_POS_CENTER);
    gtk_window_set_resizable(w, FALSE);
    gtk_window_set_deletable(w, FALSE);  // no close button where the window manager obeys
    gtk_window_set_type_hint(w, GDK_WINDOW_TYPE_HINT_DIALOG);
}

}  // namespace

SetupWindowWidgets buildSetupWindow(const SetupPicture& picture) {
    SetupWindowWidgets w;
    w.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    configureWindow(w.window);
    GtkWidget* choices = row(leftColumn(w), rightColumn(w), false);
    gtk_container_set_border_width(GTK_CONTAINER(choices), spacing);
    GtkWidget* all = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    gtk_box_pack_start(GTK_BOX(all), pictureWidget(picture), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(all), choices, FALSE, FALSE, 0);
    gtk_container_add(GTK_CONTAINER(w.window), all);
    gtk_window_set_default(GTK_WINDOW(w.window), w.runDemoButton);
    return w;
}
