#include "serial/PortMatch.h"

#include <wx/filename.h>

#include <algorithm>

wxString PortMatch::Name() const { return selected < 0 ? wxString() : entries[selected].name; }
wxString PortMatch::Shown() const { return selected < 0 ? wxString() : entries[selected].shown; }
wxString PortMatch::Serial() const { return selected < 0 ? wxString() : entries[selected].serial; }

PortMatch MatchPort(const wxString& stored, const wxString& serial, const std::vector<Comport::PortInfo>& ports,
                    bool storedReachable) {
    PortMatch match;
    for (const Comport::PortInfo& port : ports) match.entries.push_back({port.name, port.Shown(), port.serial});
    const auto index = [&](auto same) {
        const auto it = std::find_if(match.entries.begin(), match.entries.end(), same);
        return it == match.entries.end() ? -1 : static_cast<int>(it - match.entries.begin());
    };
    if (stored.empty()) return match;
    match.selected = index([&](const PortEntry& e) { return e.name == stored; });
    if (match.selected >= 0) return match;
    if (!serial.empty() && !storedReachable) {
        // Two adapters with one serial number (clones share theirs) leave the choice to the user.
        const auto same = [&](const PortEntry& e) { return e.serial == serial; };
        if (std::count_if(match.entries.begin(), match.entries.end(), same) == 1) {
            match.selected = index(same);
            match.followed = true;
            return match;
        }
    }
    const wxString mark = storedReachable ? wxString() : wxString(" (nicht angeschlossen)");
    match.entries.push_back({stored, stored + mark, serial});
    match.selected = static_cast<int>(match.entries.size()) - 1;
    return match;
}

bool PortReachable(const wxString& name) {
#ifdef __WINDOWS__
    (void)name;
    return false;
#else
    return name.StartsWith("/") && wxFileName::Exists(name);
#endif
}

wxString FollowedNotice(const wxString& stored, const PortMatch& match) {
    if (!match.followed) return wxString();
    return stored + " ist nicht angeschlossen; der Adapter mit der Seriennummer " + match.Serial() + " ist jetzt " +
           match.Shown() + " und wird benutzt.";
}
