// A port list box filled with the ports by their adapters' names ("COM7 — USB-SERIAL CH340"),
// kept up to date while its window is open, and the choice in it turned back into a port name
// with its adapter's serial number stored beside it.
#pragma once

#include "serial/PortMatch.h"
#include "settings/EditorSettings.h"

#include <wx/listbox.h>
#include <wx/timer.h>

#include <functional>

class PortChoice {
public:
    using Source = std::function<std::vector<Comport::PortInfo>()>;
    // Where every port list gets its ports; tests put a list of their own here, an empty one
    // restores the system's.
    static void SetSource(Source source);
    // The stored port `port` (a setting in `data`) matched against the ports there are now: a port
    // that came back under another name changes the setting.
    static PortMatch Resolve(wxString& port, EditorSettings::Port which);

    // `port` is the setting the list chooses; it must outlive this object.
    PortChoice(wxListBox* list, wxString& port, EditorSettings::Port which);

    // Fills the list anew and selects the port in use; true when that port changed its name.
    bool Refresh();
    // The entry the user chose becomes the port (the one in use again too: the terminal then
    // reopens it); false when none is chosen.
    bool Choose(wxWindow* parent);
    // The port in use as the list shows it; what the user must be told about the last refresh.
    wxString Shown() const { return match_.Shown(); }
    wxString Notice() const { return notice_; }

    // Called after the list changed on its own because ports came or went.
    std::function<void(bool followed)> changed;

private:
    bool Fill(std::vector<Comport::PortInfo> ports);
    void Poll();

    wxListBox* list_;
    wxString& port_;
    EditorSettings::Port which_;
    PortMatch match_;
    wxString notice_;
    std::vector<Comport::PortInfo> seen_;  // the ports at the last refresh
    wxTimer timer_;
};
