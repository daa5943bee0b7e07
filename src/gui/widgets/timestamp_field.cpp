#include "gui/widgets/timestamp_field.h"

#include <algorithm>
#include <climits>
#include <optional>

#include <wx/calctrl.h>
#include <wx/textctrl.h>

#include "gui/preference_rules.h"
#include "gui/widgets/wx_text.h"

namespace {

// The calendar that drops down from the field, with the keyboard: the day
// picked when it closes takes the place of the field's date, the time
// staying. A double click or Return closes it, Escape without a change; the
// dialog sees neither key.
class CalendarPopup : public wxComboPopup {
public:
    explicit CalendarPopup(const TimestampField& field) : field_(field) { }

    bool Create(wxWindow* parent) override
    {
        calendar_ = new wxCalendarCtrl(parent, wxID_ANY, wxDefaultDateTime, wxDefaultPosition, wxDefaultSize,
                                       wxCAL_SHOW_HOLIDAYS | wxCAL_SEQUENTIAL_MONTH_SELECTION);
        const CalendarTime first = calendarOfTimestamp(INT32_MIN);
        const CalendarTime last = calendarOfTimestamp(INT32_MAX);
        calendar_->SetDateRange(dateOf(first), dateOf(last));
        calendar_->Bind(wxEVT_CALENDAR_DOUBLECLICKED, [this](wxCalendarEvent&) { Dismiss(); });
        calendar_->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
            const int key = event.GetKeyCode();
            if (key != WXK_ESCAPE && key != WXK_RETURN && key != WXK_NUMPAD_ENTER) {
                event.Skip();
                return;
            }
            cancelled_ = key == WXK_ESCAPE;
            Dismiss();
        });
        return true;
    }

    wxWindow* GetControl() override { return calendar_; }

    void SetStringValue(const wxString& text) override
    {
        before_ = text;
        cancelled_ = false;
        time_ = calendarOfTimestamp(field_.value());
        calendar_->SetDate(dateOf(time_));
    }

    wxString GetStringValue() const override
    {
        if (cancelled_)
            return before_;
        CalendarTime time = time_;
        const wxDateTime day = calendar_->GetDate();
        if (day.IsValid()) {
            time.year = day.GetYear();
            time.month = static_cast<int>(day.GetMonth()) + 1;
            time.day = day.GetDay();
        }
        return toWx(timestampFieldText(time));
    }

    wxSize GetAdjustedSize(int minWidth, int, int) override
    {
        const wxSize best = calendar_->GetBestSize();
        return {std::max(minWidth, best.x), best.y};
    }

private:
    const TimestampField& field_;
    wxCalendarCtrl* calendar_ = nullptr;
    // The field's when the calendar dropped down.
    wxString before_;
    CalendarTime time_;
    bool cancelled_ = false;

    static wxDateTime dateOf(const CalendarTime& time)
    {
        return wxDateTime(static_cast<wxDateTime::wxDateTime_t>(time.day),
                          static_cast<wxDateTime::Month>(time.month - 1), time.year);
    }
};

}  // namespace

TimestampField::TimestampField(wxWindow* parent, const wxSize& size)
    : wxComboCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, size)
{
    SetPopupControl(new CalendarPopup(*this));
    GetTextCtrl()->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
        if (const std::optional<int32_t> typed = typedTimestamp(fromWx(GetValue()), value_))
            value_ = *typed;
        event.Skip();
    });
    GetTextCtrl()->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        if (!IsBeingDeleted())
            show(value_);
        event.Skip();
    });
}

void TimestampField::show(int32_t seconds)
{
    value_ = seconds;
    SetText(toWx(timestampFieldText(calendarOfTimestamp(seconds))));
}
