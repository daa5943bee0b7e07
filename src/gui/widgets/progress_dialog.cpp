#include "gui/widgets/progress_dialog.h"

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/stattext.h>

#include <algorithm>

#include "gui/widgets/catalogue_text.h"
#include "gui/widgets/native_window.h"
#include "gui/widgets/warning_box.h"
#include "gui/widgets/wx_text.h"

namespace {

// The run's progress is read when the interface has been idle this long.
constexpr int kPollMilliseconds = 15;
// A pulsing bar moves a step this often: seen as moving, yet drawn only a few
// times a second (the toolkit's own pulse redraws on every frame).
constexpr int kPulseMilliseconds = 200;

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

}  // namespace

ProgressDialog::ProgressDialog(wxFrame* owner, int total)
    : wxDialog(owner, wxID_ANY, toWx(lookupText("Dialog", "Convert Progress")), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      owner_(owner), timer_(this), pulseTimer_(this)
{
    const wxSize lineSize(FromDIP(kInnerWidth - 2 * kMargin), -1);
    fileLine_ =
        new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, lineSize, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_MIDDLE);
    // Wrapped, not cut: a reason may carry the system's words.
    reasonLine_ = new wxStaticText(this, wxID_ANY, "");
    timeLine_ =
        new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, lineSize, wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    bar_ = new wxGauge(this, wxID_ANY, 1, wxDefaultPosition, lineSize, wxGA_HORIZONTAL | wxGA_SMOOTH);
    AccessKeyGroup keys;
    ok_ = new wxButton(this, wxID_OK, catalogueLabel("Dialog", "OK", keys));
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
    pulseTimer_.Stop();
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
    reasonLine_->SetLabelText(toWx(view.reasonLine));
    reasonLine_->Wrap(FromDIP(kInnerWidth - 2 * kMargin));
    reasonLine_->Show(!view.reasonLine.empty());
    timeLine_->SetLabelText(toWx(view.timeLine));
    timeLine_->Show(view.showTime);
    showBar(view);
    if (!view.barPulsing)
        pulseTimer_.Stop();
    else if (!pulseTimer_.IsRunning())
        pulseTimer_.Start(kPulseMilliseconds);
    ok_->Enable(view.finished);
    layoutControls();
}

void ProgressDialog::showBar(const ProgressView& view)
{
    if (view.barPulsing)
        showGaugeBlock(bar_, view.barStart, view.barValue, view.barRange);
    else
        showGaugeFill(bar_, view.barValue, view.barRange);
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
    if (reasonLine_->IsShown()) {
        const int reasonHeight = reasonLine_->GetBestSize().y;
        reasonLine_->SetSize(FromDIP(kMargin), y, lineWidth, reasonHeight);
        y += reasonHeight + FromDIP(kLineGap);
    }
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

RunResult ProgressDialog::runConversion(ConversionRun& run)
{
    run_ = &run;
    run.start();
    running_ = true;
    CentreOnParent();
    timer_.Start(kPollMilliseconds);
    // With OK disabled no control takes the keyboard, and GTK hands the keys
    // of a window without a focused control to nobody: Escape would be lost.
    // The dialog itself holds the keyboard until OK may be pressed.
    SetCanFocus(true);
    CallAfter([this] {
        if (running_)
            SetFocus();
    });
    ShowModal();
    run_ = nullptr;
    return result_;
}

void ProgressDialog::onTimer(wxTimerEvent& event)
{
    if (&event.GetTimer() == &pulseTimer_) {
        if (pulseProgressView(view_))
            showBar(view_);
        return;
    }
    if (!running_)
        return;
    const RunProgress progress = run_->snapshot();
    if (progress.ended) {
        handleRunEnd();
        return;
    }
    ProgressView view = view_;
    if (updateProgressView(view, {progress.filesStarted, progress.currentFile, progress.lastDurationMs}))
        showView(view);
}

void ProgressDialog::handleRunEnd()
{
    timer_.Stop();
    result_ = run_->finish();
    running_ = false;
    ProgressView view = view_;
    const std::string status = finishProgressView(view, result_, cancelled_);
    owner_->SetStatusText(toWx(status));
    showView(view);
    ok_->SetFocus();
    SetCanFocus(false);
}

void ProgressDialog::onClose(wxCloseEvent& event)
{
    if (!running_) {
        if (IsModal())
            EndModal(wxID_OK);
        else
            Destroy();
        return;
    }
    // The run starts no other file until the answer is known; a stop comes
    // before the gate opens again, so that no file slips through between.
    timer_.Stop();
    run_->pause();
    cancelled_ = askBreakConversion(this);
    if (cancelled_)
        run_->stop();
    run_->resume();
    timer_.Start(kPollMilliseconds);
    event.Veto();
}

void ProgressDialog::onOk(wxCommandEvent&)
{
    if (!running_ && IsModal())
        EndModal(wxID_OK);
}

void ProgressDialog::onCharHook(wxKeyEvent& event)
{
    if (event.GetKeyCode() == WXK_ESCAPE)
        Close();
    else
        event.Skip();
}

RunResult runProgressDialog(wxFrame* owner, ConversionRun& run)
{
    ProgressDialog dialog(owner, run.fileCount());
    return dialog.runConversion(run);
}
