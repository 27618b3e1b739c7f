// The setup window at run time: shows what the procedure's content says,
// forwards the viewer's actions to it as commands, and ends when a command
// gives a result. Changes made while showing content send nothing.
#include "platform/gtk/setup_window.h"

#include "platform/gtk/setup_window_layout.h"

namespace {

class RunningSetupWindow {
  public:
    RunningSetupWindow(const SetupPicture& picture, SetupWindowProcedure& procedure)
        : widgets_(buildSetupWindow(picture)), procedure_(procedure) {
        connectSignals();
        show(procedure_.content());
    }

    int run();

  private:
    void connectSignals();
    void show(const SetupWindowContent& content);
    void forward(int control, int notification);
    int selectedItem(int control) const;
    bool onKey(const GdkEventKey& key);

    static void onListChanged(GtkComboBox* list, gpointer self);
    static void onChoiceToggled(GtkToggleButton* choice, gpointer self);
    static void onButtonClicked(GtkButton* button, gpointer self);
    static gboolean onKeyPress(GtkWidget*, GdkEventKey* key, gpointer self);
    static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer self);

    int controlOf(gpointer widget) const;

    SetupWindowWidgets widgets_;
    SetupWindowProcedure& procedure_;
    GMainLoop* loop_ = nullptr;
    bool showing_ = false;
    int result_ = SetupWindow::runAway;
};

void showList(GtkWidget* widget, const ChoiceList& list) {
    GtkComboBoxText* combo = GTK_COMBO_BOX_TEXT(widget);
    gtk_combo_box_text_remove_all(combo);
    for (const std::string& item : list.items) gtk_combo_box_text_append_text(combo, item.c_str());
    gtk_combo_box_set_active(GTK_COMBO_BOX(widget), list.selected);
    gtk_widget_set_sensitive(widget, list.enabled);
}

void RunningSetupWindow::show(const SetupWindowContent& content) {
    showing_ = true;
    showList(widgets_.adapterList, content.adapters);
    showList(widgets_.deviceList, content.devices);
    showList(widgets_.modeList, content.modes);
    gtk_widget_set_sensitive(widgets_.windowedChoice, content.windowedEnabled);
    GtkWidget* checked =
        content.windowedChecked ? widgets_.windowedChoice : widgets_.fullScreenChoice;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(checked), TRUE);
    showing_ = false;
}

int RunningSetupWindow::selectedItem(int control) const {
    if (control == SetupWindow::adapterList)
        return gtk_combo_box_get_active(GTK_COMBO_BOX(widgets_.adapterList));
    if (control == SetupWindow::deviceList)
        return gtk_combo_box_get_active(GTK_COMBO_BOX(widgets_.deviceList));
    if (control == SetupWindow::modeList)
        return gtk_combo_box_get_active(GTK_COMBO_BOX(widgets_.modeList));
    return -1;
}

void RunningSetupWindow::forward(int control, int notification) {
    if (showing_ || !loop_ || !g_main_loop_is_running(loop_)) return;
    SetupCommand command{
        control, notification,
        bool(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(widgets_.windowedChoice))),
        selectedItem(control)};
    if (std::optional<int> result = procedure_.command(command)) {
        result_ = *result;
        g_main_loop_quit(loop_);
        return;
    }
    show(procedure_.content());
}

int RunningSetupWindow::controlOf(gpointer widget) const {
    if (widget == widgets_.adapterList) return SetupWindow::adapterList;
    if (widget == widgets_.deviceList) return SetupWindow::deviceList;
    if (widget == widgets_.modeList) return SetupWindow::modeList;
    if (widget == widgets_.windowedChoice) return SetupWindow::windowedChoice;
    if (widget == widgets_.fullScreenChoice) return SetupWindow::fullScreenChoice;
    if (widget == widgets_.runDemoButton) return SetupWindow::runDemo;
    return SetupWindow::runAway;
}

void RunningSetupWindow::onListChanged(GtkComboBox* list, gpointer self) {
    auto* window = static_cast<RunningSetupWindow*>(self);
    window->forward(window->controlOf(list), SetupWindow::CBN_SELENDOK);
}

// Both choices of the group toggle; only the one turned on reports.
void RunningSetupWindow::onChoiceToggled(GtkToggleButton* choice, gpointer self) {
    if (!gtk_toggle_button_get_active(choice)) return;
    auto* window = static_cast<RunningSetupWindow*>(self);
    window->forward(window->controlOf(choice), SetupWindow::BN_CLICKED);
}

void RunningSetupWindow::onButtonClicked(GtkButton* button, gpointer self) {
    auto* window = static_cast<RunningSetupWindow*>(self);
    window->forward(window->controlOf(button), SetupWindow::BN_CLICKED);
}

gboolean RunningSetupWindow::onKeyPress(GtkWidget*, GdkEventKey* key, gpointer self) {
    return static_cast<RunningSetupWindow*>(self)->onKey(*key);
}

// Esc is "run away"; Enter is "run demo", the default button, unless the
// focus is on "run away", which Enter then presses (as a dialog does).
bool RunningSetupWindow::onKey(const GdkEventKey& key) {
    if (key.keyval == GDK_KEY_Escape) {
        forward(SetupWindow::runAway, SetupWindow::BN_CLICKED);
        return true;
    }
    const bool enter = key.keyval == GDK_KEY_Return || key.keyval == GDK_KEY_KP_Enter ||
                       key.keyval == GDK_KEY_ISO_Enter;
    if (!enter || gtk_widget_has_focus(widgets_.runAwayButton)) return false;
    forward(SetupWindow::runDemo, SetupWindow::BN_CLICKED);
    return true;
}

// Closing the window by other means is "run away", as a dialog's close is.
gboolean RunningSetupWindow::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
    static_cast<RunningSetupWindow*>(self)->forward(SetupWindow::runAway, SetupWindow::BN_CLICKED);
    return TRUE;  // the window is destroyed once the loop has ended
}

void RunningSetupWindow::connectSignals() {
    for (GtkWidget* list : {widgets_.adapterList, widgets_.deviceList, widgets_.modeList})
        g_signal_connect(list, "changed", G_CALLBACK(onListChanged), this);
    for (GtkWidget* choice : {widgets_.windowedChoice, widgets_.fullScreenChoice})
        g_signal_connect(choice, "toggled", G_CALLBACK(onChoiceToggled), this);
    for (GtkWidget* button : {widgets_.runDemoButton, widgets_.runAwayButton})
        g_signal_connect(button, "clicked", G_CALLBACK(onButtonClicked), this);
    g_signal_connect(widgets_.window, "key-press-event", G_CALLBACK(onKeyPress), this);
    g_signal_connect(widgets_.window, "delete-event", G_CALLBACK(onDelete), this);
}

// Runs the window's own loop; afterwards the window is destroyed and every
// pending event handled, so that it has left the screen before the player
// opens its own window on another connection.
int RunningSetupWindow::run() {
    loop_ = g_main_loop_new(nullptr, FALSE);
    gtk_widget_show_all(widgets_.window);
    gtk_widget_grab_focus(widgets_.adapterList);  // the first control, as in a dialog
    gtk_window_present(GTK_WINDOW(widgets_.window));
    g_main_loop_run(loop_);
    g_main_loop_unref(loop_);
    loop_ = nullptr;
    gtk_widget_destroy(widgets_.window);
    gdk_display_sync(gdk_display_get_default());
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
    return result_;
}

}  // namespace

int runSetupWindow(const SetupPicture& picture, SetupWindowProcedure& procedure) {
    RunningSetupWindow window(picture, procedure);
    return window.run();
}
