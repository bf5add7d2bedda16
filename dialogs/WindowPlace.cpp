#include "dialogs/WindowPlace.h"

#include <wx/display.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include <algorithm>
#include <memory>

namespace place {

namespace {

constexpr int kCheckMs = 50, kChecks = 20;  // a second: the window manager places within that

wxRect ScreenOf(const wxWindow* window) {
    const int display = window ? wxDisplay::GetFromWindow(window) : wxNOT_FOUND;
    return wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
}

struct Keeper {
    wxTopLevelWindow* window;
    std::function<wxPoint()> first;
    wxTimer timer;
    wxPoint target, kept;
    bool shownBefore = false, following = false;  // following: the first show, placed by `first`
    int checks = 0;
};

}  // namespace

wxPoint OntoScreen(const wxPoint& wanted, const wxSize& size, const wxRect& screen) {
    wxPoint p = wanted;
    p.x = std::max(screen.x, std::min(p.x, screen.GetRight() + 1 - size.x));
    p.y = std::max(screen.y, std::min(p.y, screen.GetBottom() + 1 - size.y));
    return p;
}

wxPoint CentredOn(const wxWindow* parent, const wxSize& size) {
    const wxRect screen = ScreenOf(parent);
    const wxRect around = parent && parent->IsShown() ? parent->GetScreenRect() : screen;
    const wxPoint centred(around.x + (around.width - size.x) / 2, around.y + (around.height - size.y) / 2);
    return OntoScreen(centred, size, screen);
}

void Keep(wxTopLevelWindow* window, std::function<wxPoint()> first) {
    auto keeper = std::make_shared<Keeper>();
    keeper->window = window;
    keeper->first = std::move(first);
    keeper->timer.SetOwner(window);
    window->Bind(wxEVT_SHOW, [keeper](wxShowEvent& event) {
        event.Skip();
        wxTopLevelWindow* w = keeper->window;
        if (!event.IsShown()) {
            keeper->kept = w->GetPosition();
            keeper->timer.Stop();
            return;
        }
        keeper->following = !keeper->shownBefore;
        keeper->target = keeper->following ? keeper->first() : keeper->kept;
        keeper->shownBefore = true;
        w->Move(keeper->target);
        keeper->checks = 0;
        keeper->timer.Start(kCheckMs);
    });
    window->Bind(wxEVT_TIMER, [keeper](wxTimerEvent& event) {
        if (&event.GetTimer() != &keeper->timer) {
            event.Skip();
            return;
        }
        wxTopLevelWindow* w = keeper->window;
        if (++keeper->checks >= kChecks || !w->IsShown()) keeper->timer.Stop();
        // Asked again only while the manager is still placing; the user's own moves come later.
        // A first place follows the parent, which the manager may be placing at the same time.
        if (!w->IsShown() || w->IsMaximized()) return;
        if (keeper->following) keeper->target = keeper->first();
        if (w->GetPosition() == keeper->target) return;
        w->Move(keeper->target);
        w->Refresh();  // a window moved before its first paint can stay blank otherwise
    });
}

void Keep(wxTopLevelWindow* window) {
    Keep(window, [window] { return CentredOn(window->GetParent(), window->GetSize()); });
}

}  // namespace place
