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
constexpr const char* kSchemeKey = "Colour_Scheme:";
constexpr const char* kBackgroundKey = "Background_Colour:";
constexpr const char* kCurrentLineKey = "Current_Line_Colour:";
constexpr const char* kFontKey = "Font:";
constexpr const char* kSizeKey = "Font_Size:";
constexpr const char* kZoomKey = "Zoom:";
constexpr size_t kMaxFileBytes = 1u << 20;
constexpr const char* kPortKeys[] = {"Program_Comport_Serial:", "Terminal_Comport_Serial:"};
wxString portSerials[2];

std::string FormatRgb(const syntax::Rgb& rgb) {
    return std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," + std::to_string(rgb.blue);
}

// "R,G,B" with each part 0..255; anything else is no colour.
bool ParseRgb(std::string_view text, syntax::Rgb* rgb) {
    int parts[3], count = 0;
    size_t at = 0;
    while (count < 3) {
        const size_t end = std::min(text.find(',', at), text.size());
        const std::string_view part = text.substr(at, end - at);
        if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string_view::npos)
            return false;
        parts[count] = std::stoi(std::string(part));
        if (parts[count++] > 255) return false;
        at = end + 1;
        if (end == text.size()) break;
    }
    if (count != 3 || at <= text.size()) return false;
    *rgb = {parts[0], parts[1], parts[2]};
    return true;
}

// A whole number within lo..hi; anything else leaves `value` as it was.
void ParseNumber(std::string_view text, int lo, int hi, int* value) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string_view::npos) return;
    const int number = (negative ? -1 : 1) * std::stoi(std::string(digits));
    if (number >= lo && number <= hi) *value = number;
}

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

EditorSettings::Looks& EditorSettings::LooksPrefs() {
    static Looks looks;
    return looks;
}

bool EditorSettings::StoreTerminalPrefs(wxString* error) { return StoreShared(error); }

bool EditorSettings::StoreShared(wxString* error) {
    // The recent files come from the file; the values shared by every instance are the newer ones.
    const wxString held[] = {portSerials[0], portSerials[1]};
    const Terminal chosen = TerminalPrefs();
    const Looks looks = LooksPrefs();
    EditorSettings file;
    file.Load();
    std::copy(std::begin(held), std::end(held), std::begin(portSerials));
    TerminalPrefs() = chosen;
    LooksPrefs() = looks;
    return file.Store(error);
}

bool EditorSettings::Load() {
    std::string bytes;
    if (script::ReadFile(Datei::SettingsPath(kFileName), bytes, kMaxFileBytes) != script::ReadResult::Ok) {
        LooksPrefs() = Looks();  // a first start looks standard, whatever ran before in this process
        return false;
    }
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
    out += kTimestampsKey + std::string(terminal.timestamps ? "1" : "0") + "\r\n" + kLineEndKey +
           std::to_string(terminal.lineEnd) + "\r\n";
    // Only what differs from the standard looks, so that the file of a user who changed nothing
    // stays as it was.
    const Looks& looks = LooksPrefs();
    const Looks standard;
    if (looks.dark) out += kSchemeKey + std::string("dunkel") + "\r\n";
    if (looks.ownBackground) out += kBackgroundKey + FormatRgb(looks.background) + "\r\n";
    if (looks.ownCurrentLine) out += kCurrentLineKey + FormatRgb(looks.currentLine) + "\r\n";
    if (looks.font != standard.font) out += kFontKey + looks.font.utf8_string() + "\r\n";
    if (looks.size != standard.size) out += kSizeKey + std::to_string(looks.size) + "\r\n";
    if (looks.zoom != standard.zoom) out += kZoomKey + std::to_string(looks.zoom) + "\r\n";
    return out;
}

void EditorSettings::Parse(const std::string& bytes) {
    recent_.clear();
    for (wxString& serial : portSerials) serial.clear();
    Looks& looks = LooksPrefs();
    looks = Looks();
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
        if (line.substr(0, timestamps.size()) == timestamps)
            TerminalPrefs().timestamps = line.substr(timestamps.size()) == "1";
        // Only a line end the list offers; anything else leaves the choice as it was.
        if (line.size() == lineEnd.size() + 1 && line.substr(0, lineEnd.size()) == lineEnd && line.back() >= '0' &&
            line.back() <= '3')
            TerminalPrefs().lineEnd = static_cast<LineEnd>(line.back() - '0');
        const auto value = [line](std::string_view name, std::string_view* rest) {
            if (line.substr(0, name.size()) != name) return false;
            *rest = line.substr(name.size());
            return true;
        };
        std::string_view rest;
        if (value(kSchemeKey, &rest)) looks.dark = rest == "dunkel";
        if (value(kBackgroundKey, &rest)) looks.ownBackground = ParseRgb(rest, &looks.background);
        if (value(kCurrentLineKey, &rest)) looks.ownCurrentLine = ParseRgb(rest, &looks.currentLine);
        // A name no font has is left to the toolkit, which takes its nearest.
        if (value(kFontKey, &rest) && !rest.empty() && rest.size() <= 100)
            looks.font = script::Decode(std::string(rest));
        if (value(kSizeKey, &rest)) ParseNumber(rest, kSizeMin, kSizeMax, &looks.size);
        if (value(kZoomKey, &rest)) ParseNumber(rest, kZoomMin, kZoomMax, &looks.zoom);
        if (line.substr(0, key.size()) != key || line.size() == key.size()) continue;
        const wxString path = script::Decode(std::string(line.substr(key.size())));
        const bool known =
            std::any_of(recent_.begin(), recent_.end(), [&](const wxString& p) { return SamePath(p, path); });
        if (!known && recent_.size() < kMaxRecentFiles) recent_.push_back(path);
    }
}
