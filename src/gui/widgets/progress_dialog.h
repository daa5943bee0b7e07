#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <string>

#include "engine/conversion_run.h"
#include "gui/progress_view.h"

class wxButton;
class wxFrame;
class wxGauge;
class wxStaticText;

// Runs the conversion behind a modal progress dialog over owner, and shows
// the outcome in owner's status bar. Returns how the run ended, once the
// user has closed the dialog after it.
RunResult runProgressDialog(wxFrame* owner, ConversionRun& run);

// The progress dialog: the current file, the time left, a bar, and an OK
// button that works once the run has ended; at the end, the count of files
// converted and why a file failed.
class ProgressDialog : public wxDialog {
public:
    ProgressDialog(wxFrame* owner, int total);
    ~ProgressDialog() override;

    // The average character width of the dialog's font.
    int charWidth();

    // Shows the view's texts, bar and state.
    void showView(const ProgressView& view);

    // Starts the run and shows the dialog modally until the user leaves it.
    RunResult runConversion(ConversionRun& run);

private:
    void showBar(const ProgressView& view);
    void layoutControls();
    void onTimer(wxTimerEvent& event);
    void onClose(wxCloseEvent& event);
    void onOk(wxCommandEvent& event);
    void onCharHook(wxKeyEvent& event);
    void handleRunEnd();

    wxFrame* owner_;
    ConversionRun* run_ = nullptr;  // while runConversion goes on
    wxStaticText* fileLine_;
    wxStaticText* reasonLine_;
    wxStaticText* timeLine_;
    wxGauge* bar_;
    wxButton* ok_;
    wxTimer timer_;
    wxTimer pulseTimer_;
    ProgressView view_;
    RunResult result_;
    bool running_ = false;
    bool cancelled_ = false;
};
