// Which entry of the port list stands for the port the user stored. A port keeps its name while
// it is unplugged (the user's choice is never changed behind their back), and an adapter that
// came back under another name is found again by its serial number.
#pragma once

#include "serial/Comport.h"

#include <vector>

struct PortEntry {
    wxString name;    // for Open and the settings
    wxString shown;   // what the list shows
    wxString serial;  // the adapter's serial number; empty when unknown
};

struct PortMatch {
    std::vector<PortEntry> entries;  // the system's ports, then a stored one they lack
    int selected = -1;               // the entry of the port in use; -1 when none is stored
    bool followed = false;           // the stored name was gone; its adapter is `entries[selected]`

    // The port to use, and how it is shown ("COM7 — USB-SERIAL CH340"); empty when none.
    wxString Name() const;
    wxString Shown() const;
    wxString Serial() const;
};

// `stored` and `serial` are the port setting and the serial number kept beside it; `storedReachable`
// says that the stored name opens although the system does not list it (a pseudo-terminal).
PortMatch MatchPort(const wxString& stored, const wxString& serial, const std::vector<Comport::PortInfo>& ports,
                    bool storedReachable);

// Whether a port that the system does not list can still be opened by its name (a device path
// that exists); the system's list is complete where names are not paths.
bool PortReachable(const wxString& name);

// What the user is told when the port followed its adapter to a new name.
wxString FollowedNotice(const wxString& stored, const PortMatch& match);
