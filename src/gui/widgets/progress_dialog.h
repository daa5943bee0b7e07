#pragma once

#include <wx/dialog.h>
#include <wx/timer.h>

#include <atomic>
#include <string>
#include <thread>

#include "gui/progress_view.h"

class wxButton;
class wxFrame;
class wxGauge;
class wxStaticText;

// Converts the job's files on a worker thread behind a modal progress
// dialog over owner, and shows the outcome in owner's status bar. Returns
// when the user has closed the dialog after the worker ended.
void runProgressDialog(wxFrame* owner);

// The progress dialog: the current file, the time left, a bar, and an OK
// button that works once the worker has ended.
class ProgressDialog : public wxDialog {
public:
    ProgressDialog(wxFrame* owner, int total);
    ~ProgressDialog() override;

    // The average character width of the dialog's font.
    int charWidth();

    // Shows the view's texts, bar and state.
    void showView(const ProgressView& view);

    // Starts the worker and runs the dialog modally until the user leaves it.
    void runConversion();

private:
    void layoutControls();
    void onTimer(wxTimerEvent& event);
    void onClose(wxCloseEvent& event);
    void onOk(wxCommandEvent& event);
    void onCharHook(wxKeyEvent& event);
    void handleWorkerEnd();

    wxFrame* owner_;
    wxStaticText* fileLine_;
    wxStaticText* timeLine_;
    wxGauge* bar_;
    wxButton* ok_;
    wxTimer timer_;
    ProgressView view_;
    std::thread worker_;
    std::atomic<bool> workerEnded_{false};
    bool workerRunning_ = false;
    bool cancelled_ = false;
};
