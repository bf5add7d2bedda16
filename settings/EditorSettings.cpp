#include "settings/EditorSettings.h"

#include "compiler/ScriptText.h"
#include "settings/Datei.h"

#include <wx/filename.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

constexpr const char* kHeader = "TqC Editor :-)\r\n";
constexpr const char* kRecentKey = "Recent_File:";
constexpr const char* kAnnotationsKey = "Annotations:";
constexpr const char* kSidePanelHidden = "Side_Panel:0";
constexpr const char* kTimestampsKey = "Terminal_Timestamps:";
constexpr const char* kLineEndKey = "Terminal_LineEnd:";
constexpr size_t kMaxFileBytes = 1u << 20;
constexpr const char* kPortKeys[] = {"Program_Comport_Serial:", "Terminal_Comport_Serial:"};
wxString portSerials[2];

bool SamePath(const wxString& a, const wxString& b) {
#ifdef __WINDOWS__
    return a.CmpNoCase(b) == 0;  // the file system ignores case
#else
    return a == b;
#endif
}

}  // namespace

void EditorSettings::Remember(const wxString& path) {
    Forget(path);
    recent_.insert(recent_.begin(), path);
    if (recent_.size() > kMaxRecentFiles) recent_.resize(kMaxRecentFiles);
}

void EditorSettings::Forget(const wxString& path) {
    recent_.erase(std::remove_if(recent_.begin(), recent_.end(), [&](const wxString& p) { return SamePath(p, path); }),
                  recent_.end());
}

wxString EditorSettings::PortSerial(Port port) { return portSerials[static_cast<int>(port)]; }

void EditorSettings::SetPortSerial(Port port, const wxString& serial) {
    // A line end in it would end its line in the file and start a key of its own.
    wxString clean = serial;
    clean.Replace("\r", wxString());
    clean.Replace("\n", wxString());
    portSerials[static_cast<int>(port)] = clean;
}

bool EditorSettings::StorePortSerial(Port port, const wxString& serial, wxString* error) {
    SetPortSerial(port, serial);
    return StoreShared(error);
}

EditorSettings::Terminal& EditorSettings::TerminalPrefs() {
    static Terminal prefs;
    return prefs;
}

bool EditorSettings::StoreTerminalPrefs(wxString* error) { return StoreShared(error); }

bool EditorSettings::StoreShared(wxString* error) {
    // The recent files come from the file; the values shared by every instance are the newer ones.
    const wxString held[] = {portSerials[0], portSerials[1]};
    const Terminal chosen = TerminalPrefs();
    EditorSettings file;
    file.Load();
    std::copy(std::begin(held), std::end(held), std::begin(portSerials));
    TerminalPrefs() = chosen;
    return file.Store(error);
}

bool EditorSettings::Load() {
    std::string bytes;
    if (script::ReadFile(Datei::SettingsPath(kFileName), bytes, kMaxFileBytes) != script::ReadResult::Ok) return false;
    Parse(bytes);
    return true;
}

bool EditorSettings::Store(wxString* error) const { return Datei::WriteSettingsFile(kFileName, Format(), error); }

std::string EditorSettings::Format() const {
    std::string out = kHeader;
    for (const wxString& path : recent_) out += kRecentKey + path.utf8_string() + "\r\n";
    const Terminal& terminal = TerminalPrefs();
    out += kAnnotationsKey + std::string(annotations_ ? "1" : "0") + "\r\n";
    if (!sidePanel_) out += kSidePanelHidden + std::string("\r\n");  // only when it differs from a first start
    for (int i = 0; i < 2; ++i)
        if (!portSerials[i].empty()) out += kPortKeys[i] + portSerials[i].utf8_string() + "\r\n";
    return out + kTimestampsKey + (terminal.timestamps ? "1" : "0") + "\r\n" + kLineEndKey +
           std::to_string(terminal.lineEnd) + "\r\n";
}

void EditorSettings::Parse(const std::string& bytes) {
    recent_.clear();
    for (wxString& serial : portSerials) serial.clear();
    const std::string key = kRecentKey, annotations = kAnnotationsKey;
    sidePanel_ = true;
    for (std::string_view line : script::SplitViews(bytes.data(), bytes.size())) {
        if (line.substr(0, annotations.size()) == annotations) annotations_ = line.substr(annotations.size()) != "0";
        if (line == kSidePanelHidden) sidePanel_ = false;
        for (int i = 0; i < 2; ++i) {
            const std::string_view port = kPortKeys[i];
            if (line.substr(0, port.size()) == port)
                portSerials[i] = script::Decode(std::string(line.substr(port.size())));
        }
        const std::string_view timestamps = kTimestampsKey, lineEnd = kLineEndKey;
        if (line.substr(0, timestamps.size()) == timestamps) TerminalPrefs().timestamps = line.substr(timestamps.size()) == "1";
        // Only a line end the list offers; anything else leaves the choice as it was.
        if (line.size() == lineEnd.size() + 1 && line.substr(0, lineEnd.size()) == lineEnd && line.back() >= '0' &&
            line.back() <= '3')
            TerminalPrefs().lineEnd = static_cast<LineEnd>(line.back() - '0');
        if (line.substr(0, key.size()) != key || line.size() == key.size()) continue;
        const wxString path = script::Decode(std::string(line.substr(key.size())));
        const bool known = std::any_of(recent_.begin(), recent_.end(), [&](const wxString& p) { return SamePath(p, path); });
        if (!known && recent_.size() < kMaxRecentFiles) recent_.push_back(path);
    }
}
