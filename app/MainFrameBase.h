// Layout of the main window: menus, toolbar, status bar and the client panel. Layout only; the
// handlers are virtual and do nothing here, MainFrame gives them their behaviour.
#pragma once

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>

class MainFrameBase : public wxFrame {
public:
    enum {
        ID_COMPILE = wxID_HIGHEST + 1,
        ID_PROGRAM,
        ID_TERMINAL,
        ID_KONFIG,
        ID_LAN,
        ID_EDITOR,
        ID_TEST,
    };

    MainFrameBase(wxWindow* parent, const wxString& title);

protected:
    virtual void OnCharHook(wxKeyEvent& event) { event.Skip(); }
    virtual void OnCloseFrame(wxCloseEvent& event) { event.Skip(); }
    virtual void OnFileNewClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnFileOpenClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnFileSaveClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnFileSaveAsClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnExitClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditCutClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditCopyClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditPasteClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditDeleteClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnTqpCompileClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnTqpProgramClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnTqpTerminalClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnExtraKonfigClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnExtraLanClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnExtraEditorClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditUndoClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditRedoClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnHelpClick(wxCommandEvent& event) { event.Skip(); }

    wxPanel* panel_;
    wxBoxSizer* panelSizer_;
};
