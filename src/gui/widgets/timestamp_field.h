#pragma once

#include <cstdint>

#include <wx/combo.h>

// A date and time written year/month/day hour:minute ("2026/08/12 15:12"),
// the order in which the settings store and use it, typed or picked from a
// calendar under the field. Its seconds do not show and are kept. Text that
// is no date and time goes back to the last one the field held when it
// loses the focus.
class TimestampField : public wxComboCtrl {
public:
    TimestampField(wxWindow* parent, const wxSize& size);

    void show(int32_t seconds);
    // The last date and time the text gave.
    int32_t value() const { return value_; }

private:
    int32_t value_ = 0;
};
