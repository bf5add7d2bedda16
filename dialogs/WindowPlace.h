// Where the windows open and stay. Window managers place a new window by their own rules and
// drop the place a program asked for before the window was mapped (openbox, mutter), and some
// put a hidden and re-shown window one title bar higher; a move asked once the manager has
// placed the window is honoured by all of them.
#pragma once

#include <wx/gdicmn.h>

#include <functional>

class wxTopLevelWindow;
class wxWindow;

namespace place {

// From now on `window` opens at `first()` (asked at each first show, when its size is known) and,
// after being hidden, where it was. For a second after each show the place is checked and asked
// again should the window manager have put the window elsewhere.
void Keep(wxTopLevelWindow* window, std::function<wxPoint()> first);
// The same, opening centred on the window's parent (on the screen if it has none).
void Keep(wxTopLevelWindow* window);

// `size` centred on `parent` and moved onto the parent's screen where it would stick out.
wxPoint CentredOn(const wxWindow* parent, const wxSize& size);
// `wanted` moved onto `screen` (the top-left corner wins where the size is larger).
wxPoint OntoScreen(const wxPoint& wanted, const wxSize& size, const wxRect& screen);

}  // namespace place
