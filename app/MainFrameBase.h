// Layout of the main window: menus, toolbar, status bar and the client panel. Layout only; the
// handlers are virtual and do nothing here, MainFrame gives them their behaviour.
#pragma once

#include <wx/frame.h>
#include <wx/menu.h>
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
        ID_FIND_NEXT,
        ID_FIND_PREVIOUS,
        ID_GO_TO_LINE,
        ID_GO_TO_DEFINITION,
        ID_NEXT_ERROR,
        ID_PREVIOUS_ERROR,
        ID_ANNOTATIONS,
        ID_SIDE_PANEL,
        ID_BACK,
        ID_FORWARD,
        ID_RECENT_FIRST,  // one per recent file, kRecentItems in all
        ID_RECENT_LAST = ID_RECENT_FIRST + 7,
        ID_HELP_TOPIC,
        ID_TOGGLE_COMMENT,
        ID_DARK_SCHEME,
        ID_BACKGROUND_COLOUR,
        ID_CURRENT_LINE_COLOUR,
        ID_EXAMPLE_FIRST,  // one per shipped example, kExampleItems at most
        ID_EXAMPLE_LAST = ID_EXAMPLE_FIRST + 39
    };
    static constexpr int kRecentItems = ID_RECENT_LAST - ID_RECENT_FIRST + 1;
    static constexpr int kExampleItems = ID_EXAMPLE_LAST - ID_EXAMPLE_FIRST + 1;

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
    // Beyond the classic layout: what every editor has.
    virtual void OnEditSelectAllClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditFindClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditReplaceClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditFindNextClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditFindPreviousClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnEditGoToLineClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnRecentFileClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnGoToDefinitionClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnNextErrorClick(wxCommandEvent& event) { event.Skip(); }  // next and previous
    virtual void OnAnnotationsClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnSidePanelClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnNavigateClick(wxCommandEvent& event) { event.Skip(); }  // back and forward
    // Keys, help, typing comfort, examples, looks and printing.
    virtual void OnHelpTopicClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnAboutClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnToggleCommentClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnExampleClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnZoomClick(wxCommandEvent& event) { event.Skip(); }  // in, out and 100 %
    virtual void OnDarkSchemeClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnFontClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnColourClick(wxCommandEvent& event) { event.Skip(); }  // background, current line
    virtual void OnPrintClick(wxCommandEvent& event) { event.Skip(); }
    virtual void OnPrintPreviewClick(wxCommandEvent& event) { event.Skip(); }

    wxMenu* recentMenu_;  // File > Recent files, filled by MainFrame
    wxMenuItem* annotationsItem_;
    wxMenu* examplesMenu_;  // File > Beispiele, filled by MainFrame
    wxMenuItem* darkSchemeItem_;
    wxMenuItem* sidePanelItem_;
    wxPanel* panel_;
    wxBoxSizer* panelSizer_;
};
