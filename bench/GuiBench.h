// What the benchmarks that open a real window share: the toolkit started without an event loop
// of its own, and every modal question (a missing settings file, say) answered at once.
#pragma once

#include <wx/app.h>
#include <wx/init.h>
#include <wx/modalhook.h>

#include <cstdio>

namespace bench {

class AnswerEverything : public wxModalDialogHook {
protected:
    int Enter(wxDialog*) override { return wxID_OK; }
    void Exit(wxDialog*) override {}
};

// Starts the GUI and registers the answering hook; false (with a line naming `what`) without a display.
inline bool StartGui(int argc, char** argv, const char* what) {
    class BenchApp : public wxApp {
    public:
        bool OnInit() override { return true; }
    };
    static AnswerEverything answers;
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "%s: cannot start the GUI (is there a display?)\n", what);
        return false;
    }
    answers.Register();
    return true;
}

}  // namespace bench
