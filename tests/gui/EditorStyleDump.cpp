// Writes what the desktop editor colours in each script given: opens it in the real main window,
// lets the typing check set the script's names, styles the whole text and writes one JSON object
// {"keywords": [the command words given to the lexer], "classes": {style: colour class},
// "files": {path: [[style per character] per line]}}. The VS Code grammar test compares its tokens with this.
#include "app/MainFrame.h"
#include "compiler/Data.h"
#include "settings/SyntaxColours.h"

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/init.h>
#include <wx/modalhook.h>
#include <wx/stdpaths.h>
#include <wx/tokenzr.h>

#include <cstdio>
#include <fstream>

namespace {

class DumpApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

// Message boxes (no settings file in the empty folder) are answered at once.
class AnswerAll : public wxModalDialogHook {
public:
    AnswerAll() { Register(); }
    ~AnswerAll() override { Unregister(); }

protected:
    int Enter(wxDialog*) override { return wxID_OK; }
    void Exit(wxDialog*) override {}
};

std::string Quoted(const wxString& text) {
    std::string out = "\"";
    for (const char c : std::string(text.utf8_str())) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// One line's styles, a number per character (code point) of its text without the line end.
std::string LineStyles(wxStyledTextCtrl* editor, int line) {
    std::string out = "[";
    const int end = editor->GetLineEndPosition(line);
    for (int pos = editor->PositionFromLine(line); pos < end; pos = editor->PositionAfter(pos)) {
        if (out.size() > 1) out += ",";
        out += std::to_string(editor->GetStyleAt(pos));
    }
    return out + "]";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        fprintf(stderr, "Aufruf: %s AUSGABE.json SKRIPT...\n", argv[0]);
        return 2;
    }
    wxApp::SetInstance(new DumpApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        fprintf(stderr, "cannot start the GUI (is there a display?)\n");
        return 1;
    }
    int status = 0;
    {
        AnswerAll answers;
        // An empty settings folder: the standard colours, nothing of the user's.
        const wxString settings = wxFileName::CreateTempFileName("tqc-styles");
        wxRemoveFile(settings);
        wxFileName::Mkdir(settings);
        auto* frame = new MainFrame(nullptr, settings);
        frame->Show();
        wxTheApp->ProcessPendingEvents();
        std::string files;
        for (int i = 2; i < argc; ++i) {
            const wxString path = wxString::FromUTF8(argv[i]);
            if (!frame->OpenScript(path)) {
                fprintf(stderr, "%s: cannot be opened\n", argv[i]);
                status = 1;
                continue;
            }
            frame->CheckNow();  // the script's names into the lexer, as a pause in typing does
            wxStyledTextCtrl* editor = frame->Editor();
            editor->Colourise(0, -1);
            std::string lines;
            for (int line = 0; line < editor->GetLineCount(); ++line)
                lines += std::string(lines.empty() ? "" : ",\n  ") + LineStyles(editor, line);
            files += std::string(files.empty() ? "" : ",\n") + Quoted(path) + ": [\n  " + lines + "]";
        }
        std::string keywords;
        for (const wxString& word : wxStringTokenize(data.keywordString, " "))
            keywords += std::string(keywords.empty() ? "" : ", ") + Quoted(word);
        // The styles the six colour classes paint; every other style keeps the default colour.
        static const char* const kClassNames[syntax::kClasses] = {"Commands",     "Text",       "Variablen",
                                                                  "Preprozessor", "Kommentare", "Rest"};
        std::string classes;
        for (int i = 0; i < syntax::kClasses; ++i)
            classes += std::string(i ? ", " : "") + "\"" + std::to_string(syntax::kEditorStyles[i]) + "\": \"" +
                       kClassNames[i] + "\"";
        std::ofstream out(argv[1], std::ios::binary);
        out << "{\"keywords\": [" << keywords << "],\n\"classes\": {" << classes << "},\n\"files\": {\n"
            << files << "}}\n";
        if (!out) status = 1;
        frame->Destroy();
        wxTheApp->ProcessPendingEvents();
        wxFileName::Rmdir(settings, wxPATH_RMDIR_RECURSIVE);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return status;
}
