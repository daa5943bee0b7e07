#include "gui/widgets/progress_dialog.h"

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <algorithm>
#include <mutex>

#include "engine/file_gate.h"
#include "engine/job_state.h"
#include "engine/worker.h"
#include "gui/widgets/warning_box.h"
#include "gui/widgets/wx_text.h"
#include "settings/catalogue.h"

namespace {

// The worker's progress is read when the interface has been idle this long.
constexpr int kPollMilliseconds = 15;

// Sizes at the standard resolution, scaled by FromDIP.
constexpr int kInnerWidth = 300;
constexpr int kMargin = 10;
constexpr int kTopGap = 13;
constexpr int kLineGap = 0;
constexpr int kBarGapAfterTime = 7;
constexpr int kBarGapAfterFile = 17;
constexpr int kButtonGap = 15;
constexpr int kButtonWidth = 80;
constexpr int kBarMinHeight = 8;

// Characters typical of a path, for measuring the average character width.
const char* const kWidthSample = "abc123:/-";

ProgressSnapshot takeSnapshot()
{
    std::lock_guard<std::mutex> lock(progressMutex);
    return {g_progress.filesStarted, g_progress.currentFile, g_progress.lastDurationMs};
}

}  // namespace

ProgressDialog::ProgressDialog(wxFrame* owner, int total)
    : wxDialog(owner, wxID_ANY, toWx(lookupText("Dialog", "Convert Progress")), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      owner_(owner), timer_(this)
{
    const wxSize lineSize(FromDIP(kInnerWidth - 2 * kMargin), -1);
    fileLine_ =
        new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, lineSize, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE);
    timeLine_ =
        new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, lineSize, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    bar_ = new wxGauge(this, wxID_ANY, total + 1, wxDefaultPosition, lineSize, wxGA_HORIZONTAL | wxGA_SMOOTH);
    ok_ = new wxButton(this, wxID_OK, toWx(lookupText("Dialog", "OK")));
    ok_->SetDefault();
    ok_->Disable();
    // Escape asks to close, like the close box; it never presses OK.
    SetEscapeId(wxID_NONE);
    view_ = startProgressView(total, charWidth());
    showView(view_);

    Bind(wxEVT_TIMER, &ProgressDialog::onTimer, this);
    Bind(wxEVT_CLOSE_WINDOW, &ProgressDialog::onClose, this);
    Bind(wxEVT_CHAR_HOOK, &ProgressDialog::onCharHook, this);
    ok_->Bind(wxEVT_BUTTON, &ProgressDialog::onOk, this);
}

ProgressDialog::~ProgressDialog()
{
    timer_.Stop();
    // Never reached with a running worker: the dialog only closes after it ended.
    if (worker_.joinable())
        worker_.join();
}

int ProgressDialog::charWidth()
{
    const int sampleWidth = GetTextExtent(kWidthSample).x;
    return sampleWidth > 0 ? sampleWidth / static_cast<int>(std::char_traits<char>::length(kWidthSample)) : 0;
}

void ProgressDialog::showView(const ProgressView& view)
{
    view_ = view;
    SetTitle(toWx(view.title));
    fileLine_->SetLabelText(toWx(view.fileLine));
    timeLine_->SetLabelText(toWx(view.timeLine));
    timeLine_->Show(view.showTime);
    bar_->SetValue(std::clamp(view.barValue, 0, bar_->GetRange()));
    ok_->Enable(view.finished);
    layoutControls();
}

// The lines stand in a column at fixed x positions and widths; the heights
// are the toolkit's own, and the dialog is as tall as the column.
void ProgressDialog::layoutControls()
{
    const int lineWidth = FromDIP(kInnerWidth - 2 * kMargin);
    const int lineHeight = fileLine_->GetBestSize().y;
    int y = FromDIP(kTopGap);
    fileLine_->SetSize(FromDIP(kMargin), y, lineWidth, lineHeight);
    y += lineHeight + FromDIP(kLineGap);
    if (view_.showTime) {
        timeLine_->SetSize(FromDIP(kMargin), y, lineWidth, lineHeight);
        y += lineHeight + FromDIP(kBarGapAfterTime);
    } else {
        y += FromDIP(kBarGapAfterFile - kLineGap);
    }
    const int barHeight = std::max(bar_->GetBestSize().y, FromDIP(kBarMinHeight));
    bar_->SetSize(FromDIP(kMargin), y, lineWidth, barHeight);
    y += barHeight + FromDIP(kButtonGap);
    const wxSize buttonSize(std::max(FromDIP(kButtonWidth), ok_->GetBestSize().x), ok_->GetBestSize().y);
    ok_->SetSize((FromDIP(kInnerWidth) - buttonSize.x) / 2, y, buttonSize.x, buttonSize.y);
    y += buttonSize.y + FromDIP(kMargin);
    SetClientSize(FromDIP(kInnerWidth), y);
}

void ProgressDialog::runConversion()
{
    {
        std::lock_guard<std::mutex> lock(progressMutex);
        g_progress.filesStarted = 0;
        g_progress.currentFile.clear();
        g_progress.lastDurationMs = 0;
        g_progress.filesConverted = 0;
        g_progress.running = 1;
    }
    workerEnded_ = false;
    worker_ = std::thread([this] {
        ConversionWorker(nullptr);
        workerEnded_ = true;
    });
    workerRunning_ = true;
    CentreOnParent();
    timer_.Start(kPollMilliseconds);
    ShowModal();
}

void ProgressDialog::onTimer(wxTimerEvent&)
{
    if (!workerRunning_)
        return;
    if (workerEnded_) {
        handleWorkerEnd();
        return;
    }
    ProgressView view = view_;
    if (updateProgressView(view, takeSnapshot()))
        showView(view);
}

void ProgressDialog::handleWorkerEnd()
{
    timer_.Stop();
    worker_.join();
    workerRunning_ = false;
    int converted = 0;
    {
        std::lock_guard<std::mutex> lock(progressMutex);
        converted = g_progress.filesConverted;
    }
    ProgressView view = view_;
    const std::string status = finishProgressView(view, converted, cancelled_);
    owner_->SetStatusText(toWx(status));
    showView(view);
    ok_->SetFocus();
}

void ProgressDialog::onClose(wxCloseEvent& event)
{
    if (!workerRunning_) {
        if (IsModal())
            EndModal(wxID_OK);
        else
            Destroy();
        return;
    }
    // The worker waits before its next file until the answer is known.
    timer_.Stop();
    closeFileGate();
    cancelled_ = askBreakConversion(this);
    openFileGate();
    if (cancelled_) {
        std::lock_guard<std::mutex> lock(progressMutex);
        g_progress.running = 0;
    }
    timer_.Start(kPollMilliseconds);
    event.Veto();
}

void ProgressDialog::onOk(wxCommandEvent&)
{
    if (!workerRunning_ && IsModal())
        EndModal(wxID_OK);
}

void ProgressDialog::onCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE)
        Close();
    else
        event.Skip();
}

void runProgressDialog(wxFrame* owner)
{
    ProgressDialog dialog(owner, static_cast<int>(g_fileSet.size()));
    dialog.runConversion();
}
