// The editor's own settings (the recent files, the serial numbers of the ports' adapters, the
// terminal's view and line end, the editor's looks), kept in a second file beside TqC_Konfig.ini,
// which other programs read and must stay exactly as it is.
#pragma once

#include "settings/SyntaxColours.h"

#include <wx/string.h>

#include <string>
#include <vector>

class EditorSettings {
public:
    static constexpr size_t kMaxRecentFiles = 8;
    static constexpr const char* kFileName = "TqC_Editor.ini";

    // Most recent first, no path twice, at most kMaxRecentFiles.
    const std::vector<wxString>& RecentFiles() const { return recent_; }
    void Remember(const wxString& path);
    void Forget(const wxString& path);
    // Error messages shown under their lines while typing (on unless switched off).
    bool Annotations() const { return annotations_; }
    void SetAnnotations(bool on) { annotations_ = on; }
    // The side panel beside the editor (shown unless hidden).
    bool SidePanel() const { return sidePanel_; }
    void SetSidePanel(bool shown) { sidePanel_ = shown; }

    // The serial number of the adapter behind the program port and the terminal port, so that
    // a port that comes back under another name is found again. Shared by every instance, as the
    // port names in `data` are: a window storing the file never writes back an older number.
    enum class Port { Program, Terminal };
    static wxString PortSerial(Port port);
    static void SetPortSerial(Port port, const wxString& serial);
    // Sets it and writes the file at once (the recent files as stored); false with the reason.
    static bool StorePortSerial(Port port, const wxString& serial, wxString* error = nullptr);

    // What the terminal adds to every send, as its "Zeilenende" list offers it.
    enum LineEnd { NoLineEnd, Cr, Lf, CrLf };
    // The terminal's choices. One copy for the program: the terminal changes it, and every
    // Store() writes it, the main window's at exit too.
    struct Terminal {
        bool timestamps = false;
        LineEnd lineEnd = NoLineEnd;
    };
    static Terminal& TerminalPrefs();
    // Writes the terminal's choices into the file as it is now, other settings unchanged.
    static bool StoreTerminalPrefs(wxString* error = nullptr);

    // How the editor looks. One copy for the program, as the colours in `data` are: the painting
    // reads it, the View menu changes it, every Store() writes it.
    struct Looks {
        bool dark = false;
        // Chosen by the user; unset, the scheme's own colour shows.
        bool ownBackground = false, ownCurrentLine = false;
        syntax::Rgb background{255, 255, 255}, currentLine{255, 255, 200};
        wxString font = "Courier New";
        int size = 10;  // points
        int zoom = 0;   // the editor's zoom steps, kZoomMin..kZoomMax
    };
    static constexpr int kZoomMin = -10, kZoomMax = 20, kSizeMin = 6, kSizeMax = 48;
    static Looks& LooksPrefs();

    // Reads the file from where Datei keeps its own; false when there is none (nothing changes).
    bool Load();
    // Writes it atomically; false with the reason in `error`.
    bool Store(wxString* error = nullptr) const;

    std::string Format() const;
    void Parse(const std::string& bytes);

private:
    // Writes the file as it is now, with the serial numbers and terminal choices held in memory.
    static bool StoreShared(wxString* error);
    std::vector<wxString> recent_;
    bool annotations_ = true;
    bool sidePanel_ = true;
};
