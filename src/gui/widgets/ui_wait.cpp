#include "gui/widgets/ui_wait.h"

#include <chrono>
#include <future>

#include <wx/evtloop.h>
#include <wx/utils.h>

namespace {

// Paint, size and move events only: input stays queued until the wait is over.
void redrawOnce()
{
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        loop->YieldFor(wxEVT_CATEGORY_UI);
        return;
    }
    // Before the main loop runs (the start-up check) there is no loop to yield to.
    wxEventLoop temporary;
    wxEventLoopActivator active(&temporary);
    temporary.YieldFor(wxEVT_CATEGORY_UI);
}

}  // namespace

void runWhileRedrawing(const std::function<void()>& work)
{
    wxWindowDisabler disabled;
    wxBusyCursor busy;
    std::future<void> done = std::async(std::launch::async, work);
    while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        redrawOnce();
    done.get();
}

void redrawFor(int milliseconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        redrawOnce();
        wxMilliSleep(10);
    }
}
