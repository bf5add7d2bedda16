// Where the user jumped from and to, for Alt+Left and Alt+Right: every jump (F12, F8, Go to line,
// a click in the side panel, an opened include) leaves the place it started from behind.
#pragma once

#include <wx/string.h>

#include <vector>

class JumpHistory {
public:
    struct Place {
        wxString path;  // the script's file; empty for a text never saved
        int line;       // 0-based
    };
    static constexpr size_t kMaxPlaces = 100;  // older places drop off, as in a browser

    // A jump from `from`: it becomes the way back, and the way forward is gone.
    void Left(const Place& from);
    // The place Back or Forward would go to; nullptr when there is none.
    const Place* Next(bool forward) const;
    // Goes there: `here` becomes the way in the other direction.
    void Step(bool forward, const Place& here);

private:
    std::vector<Place> back_, forward_;  // nearest last
};
