#include "gui/widgets/accessible_name.h"

#include <gtk/gtk.h>
#include <wx/window.h>

void setAccessibleName(wxWindow* window, const wxString& name)
{
    window->SetName(name);
    GtkWidget* widget = window->GetHandle();
    if (!widget)
        return;
    if (AtkObject* accessible = gtk_widget_get_accessible(widget))
        atk_object_set_name(accessible, name.utf8_str());
}
