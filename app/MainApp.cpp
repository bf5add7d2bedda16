// The desktop program: one main window, optionally with a script and a port given on the
// command line.
#include "app/MainFrame.h"
#include "settings/EditorSettings.h"
#include "app/StartOptions.h"
#include "compiler/Data.h"

#include <wx/app.h>

#include <cstdio>

class MainApp : public wxApp {
public:
    bool OnInit() override {
        std::vector<std::string> args;
        for (int i = 1; i < argc; ++i) args.push_back(std::string(argv[i].utf8_str()));
        const StartOptions options = ParseStartOptions(args);
        if (!options.error.empty()) {
            fprintf(stderr, "%s\n", options.error.c_str());
            return false;
        }
        MainFrame* frame = new MainFrame(nullptr);
        // After the settings are loaded, so the port given here wins for this session (a device
        // without a fixed name, such as the simulator's pseudo-terminal).
        if (!options.port.empty()) {
            data.programComport = wxString::FromUTF8(options.port.c_str());
            data.terminalComport = data.programComport;
            // The adapter stored before is not the one asked for now: it must not be followed.
            EditorSettings::SetPortSerial(EditorSettings::Port::Program, wxString());
            EditorSettings::SetPortSerial(EditorSettings::Port::Terminal, wxString());
        }
        SetTopWindow(frame);
        frame->Start(wxString::FromUTF8(options.script.c_str()));
        return true;
    }
};

wxIMPLEMENT_APP(MainApp);
