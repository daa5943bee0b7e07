#pragma once

#include <wx/bmpcbox.h>

// A drop-down list that is not editable, with a picture per item. A long item
// is shortened in its middle, so that neither the box nor its list grows
// wider than a screen.
class PictureListBox : public wxBitmapComboBox {
public:
    PictureListBox(wxWindow* parent, const wxSize& size);

protected:
    // The toolkit would hand key presses to a text entry this box does not have.
    int GTKIMFilterKeypress(GdkEventKey* event) const override;
};
