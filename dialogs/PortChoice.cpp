#include "dialogs/PortChoice.h"

#include "dialogs/ProgramDlg.h"
#include "settings/StoreSettings.h"

#include <algorithm>

namespace {

PortChoice::Source& CurrentSource() {
    static PortChoice::Source source;
    return source;
}

std::vector<Comport::PortInfo> ListNow() { return CurrentSource() ? CurrentSource()() : Comport::ListPortInfos(); }

bool Same(const std::vector<Comport::PortInfo>& a, const std::vector<Comport::PortInfo>& b) {
    const auto same = [](const Comport::PortInfo& x, const Comport::PortInfo& y) {
        return x.name == y.name && x.description == y.description && x.serial == y.serial;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

PortMatch ResolveIn(const std::vector<Comport::PortInfo>& ports, wxString& port, EditorSettings::Port which) {
    const PortMatch match = MatchPort(port, EditorSettings::PortSerial(which), ports, PortReachable(port));
    if (match.followed) port = match.Name();
    // A port chosen before its adapter was known (or by name on the command line) learns it now.
    if (EditorSettings::PortSerial(which).empty() && !match.Serial().empty())
        EditorSettings::StorePortSerial(which, match.Serial());  // tried again next time if it fails
    return match;
}

// About once a second: adapters come and go at the pace of a hand.
constexpr int kPollMs = 1000;

}  // namespace

void PortChoice::SetSource(Source source) { CurrentSource() = std::move(source); }

PortMatch PortChoice::Resolve(wxString& port, EditorSettings::Port which) { return ResolveIn(ListNow(), port, which); }

PortChoice::PortChoice(wxListBox* list, wxString& port, EditorSettings::Port which)
    : list_(list), port_(port), which_(which) {
    timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Poll(); });
    timer_.Start(kPollMs);
}

bool PortChoice::Refresh() { return Fill(ListNow()); }

bool PortChoice::Fill(std::vector<Comport::PortInfo> ports) {
    const wxString stored = port_;
    seen_ = std::move(ports);
    match_ = ResolveIn(seen_, port_, which_);
    notice_ = FollowedNotice(stored, match_);
    wxArrayString shown;
    for (const PortEntry& entry : match_.entries) shown.Add(entry.shown);
    list_->Set(shown);
    if (match_.selected >= 0) list_->SetSelection(match_.selected);
    return match_.followed;
}

bool PortChoice::Choose(wxWindow* parent) {
    const int chosen = list_->GetSelection();
    if (chosen == wxNOT_FOUND || chosen >= static_cast<int>(match_.entries.size())) return false;
    const PortEntry& entry = match_.entries[chosen];
    port_ = entry.name;
    match_.selected = chosen;
    notice_.clear();
    wxString error;
    if (!EditorSettings::StorePortSerial(which_, entry.serial, &error)) ShowSettingsNotStored(parent, error);
    return true;
}

void PortChoice::Poll() {
    // A transfer owns the port and the thread's pauses; the list waits until it is over.
    if (gl_iProgramStop == 1) return;
    std::vector<Comport::PortInfo> now = ListNow();
    if (Same(now, seen_)) return;
    const bool followed = Fill(std::move(now));
    if (changed) changed(followed);
}
