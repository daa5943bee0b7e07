#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "gui/preference_controls.h"
#include "gui/preference_lists.h"

// How the preferences' controls react to what the user does, apart from
// drawing them.

// A value typed into a spin field, clamped to its row's range. rewriteNow
// says the field is to show the clamped value at once, as its track bar
// does: a number out of range (0 or 150 for 1..100, -5 for 0..360). Text
// that is no number yet (an empty field, "-") is left for the field's own
// update when it loses the focus.
struct TypedValue {
    int value;
    bool rewriteNow;
};
TypedValue readTypedValue(std::string_view text, PairRange range);
// The same for gamma, typed as a decimal such as 1.5 (or 1,5) and kept in
// hundredths; a decimal that more digits can still bring into range ("0",
// "0." or "0.0" on the way to 0.05) is left as it is.
TypedValue readTypedGamma(std::string_view text);
// Gamma in hundredths as its spin field shows it: 150 is "1.50".
std::string gammaText(int hundredths);
int gammaHundredths(float gamma);

// A number field's value: as every number the program reads, except that a
// decimal number too large for 32 bits stops at the largest value rather
// than wrapping to an unrelated one.
int32_t numberFieldValue(std::string_view text);

// A one-line text as stored: no TAB, CR or LF, no blanks around it.
std::string cleanedFieldText(std::string_view text);

// Which rows are enabled and which panels and rows shown.
struct PreferenceStates {
    bool rotationRows;
    bool resizeRows;
    bool thresholdRow;
    bool ditherRow;
    bool rawSizeRows;
    bool rawToneMappingRow;
    bool customTimestampRow;
    std::string inputPanel;   // input format whose options show, "" none
    std::string outputPanel;  // output format whose options show, "" none
    bool frameSolidPanel;
    bool watermarkTextPanel;
    bool watermarkImagePanel;
    bool textScaleRow;
    bool imageScaleRow;
};
PreferenceStates preferenceStates(const PreferenceControls& controls);

// A colour picked with a colour list's "..." button: a new colour joins the
// list and, at once, the list setting (listSetting); either way it is selected.
void addChosenColour(ColourChoice& choice, const std::string& hex, std::string& listSetting);

// The name a font chosen in the toolkit's font dialog is kept under (commas
// separate the font list, so they go), when the watermark can load it;
// nullopt when it could not.
std::optional<std::string> usableFontName(const std::string& faceName);
// A font picked with the "..." button joins the list (the setting keeps its
// list) and is selected.
void addChosenFont(FontChoice& choice, const std::string& name);
// The "Font Style" item of the toolkit's style flags; -1 when none has them.
int fontStyleItem(int flags);

// The file dialog filter of the watermark picture, in the toolkit's
// "text|patterns|..." form.
std::string watermarkPictureFilter();
// Where that dialog starts: the folder and name of the field's path, or the
// folder itself when the field names one.
struct FileDialogStart {
    std::string folder;
    std::string name;
};
FileDialogStart watermarkPictureDialogStart(const std::string& fieldText);

// A date of the settings as the calendar shows it, and back; a date beyond
// what the settings hold stops at the nearest one they do.
struct CalendarTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
CalendarTime calendarOfTimestamp(int32_t seconds);
int32_t timestampOfCalendar(const CalendarTime& time);

// The custom timestamp's field: year/month/day hour:minute, "2026/08/12
// 15:12", the order in which the setting is stored and used, whatever the
// user's language; the seconds do not show.
std::string timestampFieldText(const CalendarTime& time);
// A date and time typed in that form (blanks around it, one-digit month,
// day, hour and minute accepted), its seconds 0; nullopt for text that is
// none, such as 2026/02/30.
std::optional<CalendarTime> readTimestampField(std::string_view text);
// The timestamp typed, with the seconds of kept, which the field does not
// show; a date beyond what the setting holds stops at the nearest one it does.
std::optional<int32_t> typedTimestamp(std::string_view text, int32_t kept);
