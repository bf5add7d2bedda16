#include "app/MainFrameBase.h"

#include "resources/Resources.h"

#include <wx/artprov.h>
#include <wx/menu.h>
#include <wx/statline.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

namespace {

wxMenuItem* Item(wxMenu* menu, int id, const wxString& label, const wxArtID& art = wxArtID()) {
    wxMenuItem* item = new wxMenuItem(menu, id, label);
    if (!art.empty()) item->SetBitmap(wxArtProvider::GetBitmap(art, wxART_MENU));
    return menu->Append(item);
}

}  // namespace

MainFrameBase::MainFrameBase(wxWindow* parent, const wxString& title)
    : wxFrame(parent, wxID_ANY, title, wxDefaultPosition, wxSize(900, 700), wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL) {
    SetIcon(AppIcon());

    wxMenu* file = new wxMenu;
    Item(file, wxID_NEW, "New", wxART_NEW);
    Item(file, wxID_OPEN, "Open", wxART_FILE_OPEN);
    Item(file, wxID_SAVE, "Save", wxART_FILE_SAVE);
    Item(file, wxID_SAVEAS, "Save as", wxART_FILE_SAVE_AS);
    recentMenu_ = new wxMenu;
    file->AppendSubMenu(recentMenu_, "Recent files");
    file->AppendSeparator();
    Item(file, wxID_EXIT, "E&xit\tAlt+X");
    wxMenu* edit = new wxMenu;
    Item(edit, wxID_CUT, "Cut");
    Item(edit, wxID_COPY, "Copy");
    Item(edit, wxID_PASTE, "Paste");
    Item(edit, wxID_DELETE, "Delete");
    edit->AppendSeparator();
    Item(edit, wxID_UNDO, "Undo\tCtrl+Z", wxART_UNDO);
    Item(edit, wxID_REDO, "Redo\tCtrl+Y", wxART_REDO);
    Item(edit, wxID_SELECTALL, "Select all\tCtrl+A");
    edit->AppendSeparator();
    Item(edit, wxID_FIND, "Find\tCtrl+F", wxART_FIND);
    Item(edit, wxID_REPLACE, "Replace\tCtrl+H", wxART_FIND_AND_REPLACE);
    Item(edit, ID_FIND_NEXT, "Find next\tF3");
    Item(edit, ID_FIND_PREVIOUS, "Find previous\tShift+F3");
    Item(edit, ID_GO_TO_LINE, "Go to line\tCtrl+G");
    Item(edit, ID_GO_TO_DEFINITION, "Go to definition\tF12");
    wxMenu* view = new wxMenu;
    sidePanelItem_ = view->AppendCheckItem(ID_SIDE_PANEL, "Seitenleiste");
    view->AppendSeparator();
    Item(view, ID_BACK, wxString::FromUTF8("Zur\xc3\xbc" "ck\tAlt+Left"), wxART_GO_BACK);
    Item(view, ID_FORWARD, wxString::FromUTF8("Vorw\xc3\xa4rts\tAlt+Right"), wxART_GO_FORWARD);
    wxMenu* tqp = new wxMenu;
    Item(tqp, ID_COMPILE, "Compile");
    Item(tqp, ID_PROGRAM, "Program");
    Item(tqp, ID_TERMINAL, "Terminal");
    tqp->AppendSeparator();
    Item(tqp, ID_NEXT_ERROR, "Next error\tF8");
    Item(tqp, ID_PREVIOUS_ERROR, "Previous error\tShift+F8");
    wxMenu* extra = new wxMenu;
    Item(extra, ID_KONFIG, "Konfig PX");
    Item(extra, ID_LAN, "LAN Modul");
    extra->AppendSeparator();
    Item(extra, ID_EDITOR, "Settings Editor");
    annotationsItem_ = extra->AppendCheckItem(ID_ANNOTATIONS, "Fehlertexte unter den Zeilen");
    wxMenuBar* bar = new wxMenuBar;
    bar->Append(file, "File");
    bar->Append(edit, "Edit");
    bar->Append(view, "View");
    bar->Append(tqp, "TqP");
    bar->Append(extra, "Extra");
    SetMenuBar(bar);

    wxToolBar* tools = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    const auto stock = [tools](int id, const wxString& label, const wxArtID& art) {
        tools->AddTool(id, label, wxArtProvider::GetBitmap(art, wxART_TOOLBAR), label);
    };
    const auto divider = [this, tools] {
        tools->AddSeparator();
        tools->AddControl(new wxStaticLine(tools, wxID_ANY, wxDefaultPosition, wxSize(1, 22), wxLI_VERTICAL));
        tools->AddSeparator();
    };
    stock(wxID_NEW, "New", wxART_NEW);
    stock(wxID_OPEN, "Open", wxART_FILE_OPEN);
    stock(wxID_SAVE, "Save", wxART_FILE_SAVE);
    divider();
    stock(wxID_CUT, "Cut", wxART_CUT);
    stock(wxID_COPY, "Copy", wxART_COPY);
    stock(wxID_PASTE, "Paste", wxART_PASTE);
    stock(wxID_DELETE, "Delete", wxART_DELETE);
    divider();
    stock(wxID_UNDO, "Undo", wxART_UNDO);
    stock(wxID_REDO, "Redo", wxART_REDO);
    divider();
    tools->AddTool(ID_COMPILE, "Compile", ToolBitmap(ToolPicture::Compile), "Compile");
    tools->AddTool(ID_PROGRAM, "Program", ToolBitmap(ToolPicture::Program), "Program");
    tools->AddTool(ID_TERMINAL, "Terminal", ToolBitmap(ToolPicture::Terminal), "Terminal");
    tools->AddSeparator();
    stock(ID_TEST, "Test", wxART_TIP);
    tools->Realize();

    // No automatic tips: MainFrame's tooltip carries the texts that gave way.
    wxStatusBar* status = CreateStatusBar(6, wxSTB_SIZEGRIP | wxSTB_ELLIPSIZE_END | wxFULL_REPAINT_ON_RESIZE);
    // Field 0 reports errors and transfers; MainFrame fits every field to its text.
    const int widths[] = {-1, 150, 100, 100, 200, 200};
    status->SetStatusWidths(6, widths);

    panel_ = new wxPanel(this);
    panelSizer_ = new wxBoxSizer(wxVERTICAL);
    panel_->SetSizer(panelSizer_);
    wxBoxSizer* frameSizer = new wxBoxSizer(wxVERTICAL);
    frameSizer->Add(panel_, 1, wxEXPAND);
    SetSizer(frameSizer);

    Bind(wxEVT_CHAR_HOOK, &MainFrameBase::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &MainFrameBase::OnCloseFrame, this);
    const struct {
        int id;
        void (MainFrameBase::*handler)(wxCommandEvent&);
    } commands[] = {
        {wxID_NEW, &MainFrameBase::OnFileNewClick},        {wxID_OPEN, &MainFrameBase::OnFileOpenClick},
        {wxID_SAVE, &MainFrameBase::OnFileSaveClick},      {wxID_SAVEAS, &MainFrameBase::OnFileSaveAsClick},
        {wxID_EXIT, &MainFrameBase::OnExitClick},          {wxID_CUT, &MainFrameBase::OnEditCutClick},
        {wxID_COPY, &MainFrameBase::OnEditCopyClick},      {wxID_PASTE, &MainFrameBase::OnEditPasteClick},
        {wxID_DELETE, &MainFrameBase::OnEditDeleteClick},  {ID_COMPILE, &MainFrameBase::OnTqpCompileClick},
        {ID_PROGRAM, &MainFrameBase::OnTqpProgramClick},   {ID_TERMINAL, &MainFrameBase::OnTqpTerminalClick},
        {ID_KONFIG, &MainFrameBase::OnExtraKonfigClick},   {ID_LAN, &MainFrameBase::OnExtraLanClick},
        {ID_EDITOR, &MainFrameBase::OnExtraEditorClick},   {wxID_UNDO, &MainFrameBase::OnEditUndoClick},
        {wxID_REDO, &MainFrameBase::OnEditRedoClick},      {ID_TEST, &MainFrameBase::OnHelpClick},
        {wxID_SELECTALL, &MainFrameBase::OnEditSelectAllClick}, {wxID_FIND, &MainFrameBase::OnEditFindClick},
        {wxID_REPLACE, &MainFrameBase::OnEditReplaceClick}, {ID_FIND_NEXT, &MainFrameBase::OnEditFindNextClick},
        {ID_FIND_PREVIOUS, &MainFrameBase::OnEditFindPreviousClick},
        {ID_GO_TO_LINE, &MainFrameBase::OnEditGoToLineClick},
        {ID_GO_TO_DEFINITION, &MainFrameBase::OnGoToDefinitionClick},
        {ID_NEXT_ERROR, &MainFrameBase::OnNextErrorClick},  {ID_PREVIOUS_ERROR, &MainFrameBase::OnNextErrorClick},
        {ID_ANNOTATIONS, &MainFrameBase::OnAnnotationsClick},
        {ID_SIDE_PANEL, &MainFrameBase::OnSidePanelClick}, {ID_BACK, &MainFrameBase::OnNavigateClick},
        {ID_FORWARD, &MainFrameBase::OnNavigateClick},
    };
    for (const auto& command : commands) Bind(wxEVT_MENU, command.handler, this, command.id);
    Bind(wxEVT_MENU, &MainFrameBase::OnRecentFileClick, this, ID_RECENT_FIRST, ID_RECENT_LAST);
}
