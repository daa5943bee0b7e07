#include "gui/widgets/picture_list_box.h"

#include <gtk/gtk.h>

#include "gui/widgets/accessible_name.h"

namespace {

// Characters an item shows at most before it loses its middle.
constexpr int kLongestItem = 80;

}  // namespace

PictureListBox::PictureListBox(wxWindow* parent, const wxSize& size)
    : wxBitmapComboBox(parent, wxID_ANY, "", wxDefaultPosition, size, 0, nullptr, wxCB_READONLY)
{
    GList* cells = gtk_cell_layout_get_cells(GTK_CELL_LAYOUT(GetHandle()));
    for (GList* cell = cells; cell; cell = cell->next)
        if (GTK_IS_CELL_RENDERER_TEXT(cell->data))
            g_object_set(cell->data, "ellipsize", PANGO_ELLIPSIZE_MIDDLE, "max-width-chars", kLongestItem, nullptr);
    g_list_free(cells);
}

void PictureListBox::nameAfterShownItem()
{
    const int shown = GetSelection();
    setAccessibleName(this, shown == wxNOT_FOUND ? wxString() : GetString(shown));
}

int PictureListBox::GTKIMFilterKeypress(GdkEventKey*) const
{
    return false;
}
