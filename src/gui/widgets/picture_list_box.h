#pragma once

#include <wx/bmpcbox.h>

// A drop-down list that is not editable, with a picture per item. A long item
// is shortened in its middle, so that neither the box nor its list grows
// wider than a screen.
class PictureListBox : public wxBitmapComboBox {
public:
    PictureListBox(wxWindow* parent, const wxSize& size);

    // Names the box for screen readers after the item it shows ("" for none);
    // for a box named by its content, after every change of the item shown.
    // GTK's own name for it would go stale once no item shows, since an
    // empty name is never announced.
    void nameAfterShownItem();

protected:
    // The toolkit would hand key presses to a text entry this box does not have.
    int GTKIMFilterKeypress(GdkEventKey* event) const override;
};
