#include "settings/Datei.h"

#include "compiler/CNumber.h"
#include "compiler/Compiler.h"
#include "compiler/Data.h"
#include "compiler/ScriptText.h"
#include "settings/TerminalSettings.h"

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr const char* kFileName = "TqC_Konfig.ini";
constexpr const char* kHeader = "TqC Konfig Datei :-)\r\n";
constexpr const char* kEnd = "EOF\r\n";
constexpr const char* kPresetsKey = "Terminal_Presets:";
constexpr size_t kMaxLinesHeld = 15000;
constexpr size_t kMaxFileBytes = 64u << 20;  // far beyond any real settings file
constexpr int kCoordinateOffset = 10000;     // keeps -10000..89999 at exactly five digits

// How a key's value is written and read back.
enum class Field {
    Coordinates,  // "%.5d,%.5d" of two values + 10000; read at offsets 0 and 6, five wide
    Colour,       // "%.3d,%.3d,%.3d" of R, G, B; read at offsets 0, 4 and 8, three wide
    Number,       // "%.<width>d"; read <width> wide
    Text,         // as it is; read to the end of the line
    Letter        // as it is; read one character wide
};

struct Setting {
    const char* key;  // with its colon
    Field field;
    int width;       // Number only
    int* first;      // Coordinates, Colour (three ints), Number
    int* second;     // Coordinates
    wxString* text;  // Text, Letter
};

// The single-key lines in file order; the presets follow them.
std::array<Setting, 16> Settings() {
    return {{
        {"Main_Window_Size:", Field::Coordinates, 0, &data.windowWidth, &data.windowHeight, nullptr},
        {"Main_Window_Pos:", Field::Coordinates, 0, &data.windowPosX, &data.windowPosY, nullptr},
        {"Main_Window_Color_Commands:", Field::Colour, 0, data.colorCommands, nullptr, nullptr},
        {"Main_Window_Color_Text:", Field::Colour, 0, data.colorText, nullptr, nullptr},
        {"Main_Window_Color_Variablen:", Field::Colour, 0, data.colorVariablen, nullptr, nullptr},
        {"Main_Window_Color_Preprozessor:", Field::Colour, 0, data.colorPreprozessor, nullptr, nullptr},
        {"Main_Window_Color_Kommentare:", Field::Colour, 0, data.colorKommentare, nullptr, nullptr},
        {"Main_Window_Color_Rest:", Field::Colour, 0, data.colorRest, nullptr, nullptr},
        {"Main_Settings_Filter:", Field::Text, 0, nullptr, nullptr, &data.autoCompFilter},
        {"Main_Settings_Filter_EA:", Field::Number, 1, &data.autoCompFilterOn, nullptr, nullptr},
        {"Program_Comport:", Field::Text, 0, nullptr, nullptr, &data.programComport},
        {"Terminal_Baud:", Field::Number, 6, &data.terminalBaud, nullptr, nullptr},
        {"Terminal_Datenbits:", Field::Number, 1, &data.terminalDataBits, nullptr, nullptr},
        {"Terminal_Stopbits:", Field::Number, 1, &data.terminalStopBits, nullptr, nullptr},
        {"Terminal_Paritaet:", Field::Letter, 0, nullptr, nullptr, &data.terminalParity},
        {"Terminal_Comport:", Field::Text, 0, nullptr, nullptr, &data.terminalComport},
    }};
}

// ---- writing ----

std::string Printf(const char* format, long long a) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, a);
    return buf;
}

std::string Coordinates(int a, int b) {
    return Printf("%.5lld", a + 0LL + kCoordinateOffset) + "," + Printf("%.5lld", b + 0LL + kCoordinateOffset);
}

std::string Colour(const int* rgb) {
    return Printf("%.3lld", rgb[0]) + "," + Printf("%.3lld", rgb[1]) + "," + Printf("%.3lld", rgb[2]);
}

std::string Number(int value, int width) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*lld", width, static_cast<long long>(value));
    return buf;
}

// A Commands colour with any part above 255 is stored as black; the other colours are not checked.
bool CommandsColourInvalid() {
    return data.colorCommands[0] > 255 || data.colorCommands[1] > 255 || data.colorCommands[2] > 255;
}

// ---- reading ----

std::wstring Wide(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }

// Up to `width` characters from `start`; nothing when the line is shorter.
std::wstring Mid(const std::wstring& line, size_t start, size_t width = std::wstring::npos) {
    return start < line.size() ? line.substr(start, width) : std::wstring();
}

// C atoi: leading blanks, one sign, digits up to the first other character; 0 without digits.
int ToInt(const std::wstring& field) { return cnum::Read(field, 0, field.size(), 10); }

// `line` is without its CR, so no value ever takes the line end into it.
void ReadLine(const std::wstring& line) {
    for (const Setting& s : Settings()) {
        const std::wstring key = Wide(s.key);
        const size_t found = line.find(key);
        if (found == std::wstring::npos) continue;
        const size_t v = found + key.size();
        switch (s.field) {
            case Field::Coordinates:
                *s.first = ToInt(Mid(line, v, 5)) - kCoordinateOffset;
                *s.second = ToInt(Mid(line, v + 6, 5)) - kCoordinateOffset;
                break;
            case Field::Colour:
                for (int k = 0; k < 3; ++k) s.first[k] = ToInt(Mid(line, v + 4 * k, 3));
                break;
            case Field::Number:
                *s.first = ToInt(Mid(line, v, s.width));
                break;
            case Field::Text:
                *s.text = Mid(line, v);
                break;
            case Field::Letter:
                *s.text = Mid(line, v, 1);
                break;
        }
    }
    const std::wstring key = Wide(kPresetsKey);
    const size_t found = line.find(key);
    if (found == std::wstring::npos) return;
    const size_t v = found + key.size();
    // One character each, so any bank and entry 0-9 lands in the 10 x 10 table.
    const int bank = ToInt(Mid(line, v, 1));
    const int entry = ToInt(Mid(line, v + 2, 1));
    if (bank >= 0 && bank < 10 && entry >= 0 && entry < 10) data.terminalPresets[bank][entry] = Mid(line, v + 4);
}

// ---- the file's place ----

wxString InDir(const wxString& dir, const wxString& name) {
    if (!dir.empty() && wxFileName::IsPathSeparator(dir.Last())) return dir + name;
    return dir + wxFILE_SEP_PATH + name;
}

wxString ProgramDirFile() { return data.programDir.empty() ? wxString() : InDir(data.programDir, kFileName); }

wxString UserSettingsDir() {
#if defined(__UNIX__) && !defined(__DARWIN__)
    // The toolkit's classic layout would put the folder straight into the home directory.
    wxString base;
    if (!wxGetEnv("XDG_CONFIG_HOME", &base) || !wxIsAbsolutePath(base))
        base = InDir(wxFileName::GetHomeDir(), ".config");
    return InDir(base, "TqC");
#else
    return InDir(wxStandardPaths::Get().GetUserConfigDir(), "TqC");
#endif
}

wxString WriteError(const wxString& name, const wxString& path, const wxString& reason) {
    return wxString::Format("%s kann nicht geschrieben werden:\n%s\n%s", name, path, reason);
}

}  // namespace

void Datei::SetKeywords() { Compiler::SetKeywords(data.keywordList, data.keywordString); }

wxString Datei::SettingsPath(const wxString& fileName) {
    // Atomic replacement needs a writable folder, not only a writable file.
    if (!data.programDir.empty() && wxFileName::IsDirWritable(data.programDir)) return InDir(data.programDir, fileName);
    return InDir(UserSettingsDir(), fileName);
}

bool Datei::WriteSettingsFile(const wxString& fileName, const std::string& bytes, wxString* error) {
    const wxString path = SettingsPath(fileName);
    const wxString dir = wxFileName(path).GetPath(wxPATH_GET_VOLUME);
    if (!wxFileName::DirExists(dir)) {
        wxLogNull quiet;
        if (!wxFileName::Mkdir(dir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL)) {
            if (error) *error = WriteError(fileName, path, wxSysErrorMsgStr(wxSysErrorCode()));
            return false;
        }
    }
    wxString reason;
    if (!script::WriteFileAtomically(path, bytes, reason)) {
        if (error) *error = WriteError(fileName, path, reason);
        return false;
    }
    return true;
}

bool Datei::DataLoad() {
    wxString path = SettingsPath();
    if (!wxFileName::FileExists(path)) {
        // An installed program may ship a settings file beside it; it serves until the user's exists.
        const wxString shipped = ProgramDirFile();
        if (shipped.empty() || shipped == path || !wxFileName::FileExists(shipped)) return false;
        path = shipped;
    }
    std::string bytes;
    const script::ReadResult result = script::ReadFile(path, bytes, kMaxFileBytes);
    if (result == script::ReadResult::Missing) return false;
    if (result == script::ReadResult::Ok) Parse(bytes);
    return true;
}

bool Datei::DataStore(wxString* notice, wxString* error) {
    if (CommandsColourInvalid()) data.colorCommands[0] = data.colorCommands[1] = data.colorCommands[2] = 0;
    if (!wxFileName::FileExists(SettingsPath()) && notice)
        *notice = "TqC_Konfig.ini nicht vorhanden, wird neu geschrieben !";
    return WriteSettingsFile(kFileName, Format(), error);
}

void Datei::Parse(const std::string& bytes) {
    // A line ends only at CR, and the byte after it (the LF) is dropped unseen; a last run of
    // bytes without CR is no line.
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t i = 0; i < bytes.size() && lines.size() < kMaxLinesHeld; ++i) {
        if (bytes[i] != '\r') continue;
        lines.push_back(script::Decode(bytes.substr(start, i - start)).ToStdWstring());
        ++i;
        start = i + 1;
    }
    for (const std::wstring& line : lines) ReadLine(line);
}

std::string Datei::Format() {
    std::string out = kHeader;
    for (const Setting& s : Settings()) {
        out += s.key;
        switch (s.field) {
            case Field::Coordinates:
                out += Coordinates(*s.first, *s.second);
                break;
            case Field::Colour: {
                static const int black[3] = {0, 0, 0};
                out += Colour(s.first == data.colorCommands && CommandsColourInvalid() ? black : s.first);
                break;
            }
            case Field::Number:
                out += Number(*s.first, s.width);
                break;
            case Field::Text:
            case Field::Letter:
                out += s.text->utf8_string();
                break;
        }
        out += "\r\n";
    }
    for (int bank = 0; bank < TerminalSettings::kBanks; ++bank)
        for (int entry = 0; entry < TerminalSettings::kEntries; ++entry)
            out += kPresetsKey + std::to_string(bank) + "," + std::to_string(entry) + "," +
                   data.terminalPresets[bank][entry].utf8_string() + "\r\n";
    return out + kEnd;
}
