// The desktop program: one main window, optionally with a script given on the command line.
#include "app/MainFrame.h"

#include <wx/app.h>

class MainApp : public wxApp {
public:
    bool OnInit() override {
        MainFrame* frame = new MainFrame(nullptr);
        SetTopWindow(frame);
        frame->Show();
        if (argc > 1) frame->OpenScript(argv[1]);
        return true;
    }
};

wxIMPLEMENT_APP(MainApp);
