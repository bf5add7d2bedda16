// Helpers for GUI tests: answering modal dialogs and message boxes, and letting events run.
#pragma once

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <functional>
#include <string>
#include <vector>

namespace guitest {

// While it lives, every modal dialog (message boxes included) is answered at once: `answer`
// decides the return code from the dialog, and the titles and messages seen are recorded.
class ModalAnswer : public wxModalDialogHook {
public:
    explicit ModalAnswer(std::function<int(wxDialog*)> answer) : answer_(std::move(answer)) { Register(); }
    ~ModalAnswer() override { Unregister(); }
    std::vector<wxDialog*> seen;
    std::vector<wxString> titles;

protected:
    int Enter(wxDialog* dialog) override {
        seen.push_back(dialog);
        titles.push_back(dialog->GetTitle());
        return answer_(dialog);
    }
    void Exit(wxDialog*) override {}

private:
    std::function<int(wxDialog*)> answer_;
};

inline std::string U(const wxString& text) { return std::string(text.utf8_str().data()); }

// A click as the button itself reports it.
inline void Click(wxButton* button) {
    wxCommandEvent event(wxEVT_BUTTON, button->GetId());
    event.SetEventObject(button);
    button->ProcessWindowEvent(event);
}

// Lets pending events and idle handlers run.
inline void Yield() {
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
    }
}

}  // namespace guitest
