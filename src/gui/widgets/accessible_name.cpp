#include "gui/widgets/accessible_name.h"

#include <gtk/gtk.h>

void setAccessibleName(wxWindow* control, const wxString& name)
{
    control->SetName(name);
    // wx passes a window's name to GTK only as a style name; assistive tools read the ATK one.
    if (AtkObject* accessible = gtk_widget_get_accessible(control->GetHandle()))
        atk_object_set_name(accessible, name.utf8_str());
}
