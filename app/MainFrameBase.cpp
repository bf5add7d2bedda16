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
    if (!art.empty()) item->SetBitmap(wxArtProvider::GetBitmapBundle(art, wxART_MENU));
    return menu->Append(item);
}

}  // namespace

MainFrameBase::MainFrameBase(wxWindow* parent, const wxString& title)
    : wxFrame(parent, wxID_ANY, title, wxDefaultPosition, wxSize(900, 700), wxDEFAULT_FRAME_STYLE | wxTAB_TRAVERSAL) {
    SetIcon(AppIcon());

    // Every menu and item has an Alt letter; the commands of the main road have the keys that
    // users of other editors try first (the second key of Compile and Program: MainFrame).
    wxMenu* file = new wxMenu;
    Item(file, wxID_NEW, "&New\tCtrl+N", wxART_NEW);
    Item(file, wxID_OPEN, "&Open\tCtrl+O", wxART_FILE_OPEN);
    Item(file, wxID_SAVE, "&Save\tCtrl+S", wxART_FILE_SAVE);
    Item(file, wxID_SAVEAS, "Save &as\tCtrl+Shift+S", wxART_FILE_SAVE_AS);
    recentMenu_ = new wxMenu;
    file->AppendSubMenu(recentMenu_, "&Recent files");
    examplesMenu_ = new wxMenu;
    file->AppendSubMenu(examplesMenu_, "&Beispiele");
    file->AppendSeparator();
    Item(file, wxID_PRINT, "&Drucken...\tCtrl+P", wxART_PRINT);
    Item(file, wxID_PREVIEW, "Druck&vorschau");
    file->AppendSeparator();
    Item(file, wxID_EXIT, "E&xit\tAlt+X");
    wxMenu* edit = new wxMenu;
    Item(edit, wxID_CUT, "Cu&t");
    Item(edit, wxID_COPY, "&Copy");
    Item(edit, wxID_PASTE, "&Paste");
    Item(edit, wxID_DELETE, "&Delete");
    edit->AppendSeparator();
    Item(edit, wxID_UNDO, "&Undo\tCtrl+Z", wxART_UNDO);
    Item(edit, wxID_REDO, "&Redo\tCtrl+Y", wxART_REDO);
    Item(edit, wxID_SELECTALL, "Select &all\tCtrl+A");
    edit->AppendSeparator();
    Item(edit, wxID_FIND, "&Find\tCtrl+F", wxART_FIND);
    Item(edit, wxID_REPLACE, "R&eplace\tCtrl+H", wxART_FIND_AND_REPLACE);
    Item(edit, ID_FIND_NEXT, "Find &next\tF3");
    Item(edit, ID_FIND_PREVIOUS, "Find pre&vious\tShift+F3");
    Item(edit, ID_GO_TO_LINE, "&Go to line\tCtrl+G");
    Item(edit, ID_GO_TO_DEFINITION, "Go to def&inition\tF12");
    edit->AppendSeparator();
    Item(edit, ID_TOGGLE_COMMENT, "&Kommentar ein/aus\tCtrl+Q");
    wxMenu* tqp = new wxMenu;
    Item(tqp, ID_COMPILE, "&Compile\tCtrl+R");
    Item(tqp, ID_PROGRAM, "&Program\tCtrl+U");
    Item(tqp, ID_TERMINAL, "&Terminal");
    tqp->AppendSeparator();
    Item(tqp, ID_NEXT_ERROR, "Next &error\tF8");
    Item(tqp, ID_PREVIOUS_ERROR, "Pre&vious error\tShift+F8");
    wxMenu* extra = new wxMenu;
    Item(extra, ID_KONFIG, "&Konfig PX");
    Item(extra, ID_LAN, "&LAN Modul");
    extra->AppendSeparator();
    Item(extra, ID_EDITOR, "&Settings Editor");
    annotationsItem_ = extra->AppendCheckItem(ID_ANNOTATIONS, "&Fehlertexte unter den Zeilen");
    wxMenu* view = new wxMenu;
    Item(view, wxID_ZOOM_IN, wxString::FromUTF8("&Vergrößern\tCtrl++"));
    Item(view, wxID_ZOOM_OUT, "Ver&kleinern\tCtrl+-");
    Item(view, wxID_ZOOM_100, wxString::FromUTF8("&Normalgröße"));
    view->AppendSeparator();
    darkSchemeItem_ = view->AppendCheckItem(ID_DARK_SCHEME, "&Dunkles Farbschema");
    Item(view, wxID_SELECT_FONT, "&Schrift...");
    Item(view, ID_BACKGROUND_COLOUR, "&Hintergrundfarbe...");
    Item(view, ID_CURRENT_LINE_COLOUR, "Farbe der &aktuellen Zeile...");
    view->AppendSeparator();
    sidePanelItem_ = view->AppendCheckItem(ID_SIDE_PANEL, "Seiten&leiste");
    Item(view, ID_BACK, wxString::FromUTF8("Zu&rück\tAlt+Left"), wxART_GO_BACK);
    Item(view, ID_FORWARD, wxString::FromUTF8("Vor&wärts\tAlt+Right"), wxART_GO_FORWARD);
    wxMenu* help = new wxMenu;
    Item(help, ID_HELP_TOPIC, "&Hilfe\tF1");
    Item(help, wxID_ABOUT, wxString::FromUTF8("Ü&ber TqC"));
    wxMenuBar* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    bar->Append(tqp, "&TqP");
    bar->Append(extra, "E&xtra");
    bar->Append(view, "&View");
    bar->Append(help, "&Help");
    SetMenuBar(bar);

    wxToolBar* tools = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    // Every picture is our own, drawn for 100 %, 150 % and 200 %, so that none stands out in
    // size; the tooltips name the keys, so that the mouse teaches them. Id 0: a divider.
    static const struct {
        int id;
        const char* label;
        ToolPicture picture;
        const char* keys;
    } kTools[] = {{wxID_NEW, "New", ToolPicture::New, "Strg+N"},
                  {wxID_OPEN, "Open", ToolPicture::Open, "Strg+O"},
                  {wxID_SAVE, "Save", ToolPicture::Save, "Strg+S"},
                  {0, "", ToolPicture::New, ""},
                  {wxID_CUT, "Cut", ToolPicture::Cut, "Strg+X"},
                  {wxID_COPY, "Copy", ToolPicture::Copy, "Strg+C"},
                  {wxID_PASTE, "Paste", ToolPicture::Paste, "Strg+V"},
                  {wxID_DELETE, "Delete", ToolPicture::Delete, ""},
                  {0, "", ToolPicture::New, ""},
                  {wxID_UNDO, "Undo", ToolPicture::Undo, "Strg+Z"},
                  {wxID_REDO, "Redo", ToolPicture::Redo, "Strg+Y"},
                  {0, "", ToolPicture::New, ""},
                  {ID_COMPILE, "Compile", ToolPicture::Compile, "Strg+R, F7"},
                  {ID_PROGRAM, "Program", ToolPicture::Program, "Strg+U, F5"},
                  {ID_TERMINAL, "Terminal", ToolPicture::Terminal, ""},
                  {-1, "", ToolPicture::New, ""},  // a gap without a line
                  {ID_TEST, "Test", ToolPicture::Test, ""}};
    for (const auto& tool : kTools) {
        if (tool.id <= 0) {
            tools->AddSeparator();
            if (tool.id == 0) {
                tools->AddControl(
                    new wxStaticLine(tools, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(1, 22)), wxLI_VERTICAL));
                tools->AddSeparator();
            }
            continue;
        }
        const wxString label = tool.label, keys = tool.keys;
        tools->AddTool(tool.id, label, ToolBundle(tool.picture), keys.empty() ? label : label + " (" + keys + ")");
    }
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
    } commands[] = {{wxID_NEW, &MainFrameBase::OnFileNewClick},
                    {wxID_OPEN, &MainFrameBase::OnFileOpenClick},
                    {wxID_SAVE, &MainFrameBase::OnFileSaveClick},
                    {wxID_SAVEAS, &MainFrameBase::OnFileSaveAsClick},
                    {wxID_EXIT, &MainFrameBase::OnExitClick},
                    {wxID_CUT, &MainFrameBase::OnEditCutClick},
                    {wxID_COPY, &MainFrameBase::OnEditCopyClick},
                    {wxID_PASTE, &MainFrameBase::OnEditPasteClick},
                    {wxID_DELETE, &MainFrameBase::OnEditDeleteClick},
                    {ID_COMPILE, &MainFrameBase::OnTqpCompileClick},
                    {ID_PROGRAM, &MainFrameBase::OnTqpProgramClick},
                    {ID_TERMINAL, &MainFrameBase::OnTqpTerminalClick},
                    {ID_KONFIG, &MainFrameBase::OnExtraKonfigClick},
                    {ID_LAN, &MainFrameBase::OnExtraLanClick},
                    {ID_EDITOR, &MainFrameBase::OnExtraEditorClick},
                    {wxID_UNDO, &MainFrameBase::OnEditUndoClick},
                    {wxID_REDO, &MainFrameBase::OnEditRedoClick},
                    {ID_TEST, &MainFrameBase::OnHelpClick},
                    {wxID_SELECTALL, &MainFrameBase::OnEditSelectAllClick},
                    {wxID_FIND, &MainFrameBase::OnEditFindClick},
                    {wxID_REPLACE, &MainFrameBase::OnEditReplaceClick},
                    {ID_FIND_NEXT, &MainFrameBase::OnEditFindNextClick},
                    {ID_FIND_PREVIOUS, &MainFrameBase::OnEditFindPreviousClick},
                    {ID_GO_TO_LINE, &MainFrameBase::OnEditGoToLineClick},
                    {ID_GO_TO_DEFINITION, &MainFrameBase::OnGoToDefinitionClick},
                    {ID_NEXT_ERROR, &MainFrameBase::OnNextErrorClick},
                    {ID_PREVIOUS_ERROR, &MainFrameBase::OnNextErrorClick},
                    {ID_ANNOTATIONS, &MainFrameBase::OnAnnotationsClick},
                    {ID_HELP_TOPIC, &MainFrameBase::OnHelpTopicClick},
                    {wxID_ABOUT, &MainFrameBase::OnAboutClick},
                    {ID_TOGGLE_COMMENT, &MainFrameBase::OnToggleCommentClick},
                    {wxID_ZOOM_IN, &MainFrameBase::OnZoomClick},
                    {wxID_ZOOM_OUT, &MainFrameBase::OnZoomClick},
                    {wxID_ZOOM_100, &MainFrameBase::OnZoomClick},
                    {ID_DARK_SCHEME, &MainFrameBase::OnDarkSchemeClick},
                    {wxID_SELECT_FONT, &MainFrameBase::OnFontClick},
                    {ID_BACKGROUND_COLOUR, &MainFrameBase::OnColourClick},
                    {ID_CURRENT_LINE_COLOUR, &MainFrameBase::OnColourClick},
                    {wxID_PRINT, &MainFrameBase::OnPrintClick},
                    {wxID_PREVIEW, &MainFrameBase::OnPrintPreviewClick},
                    {ID_SIDE_PANEL, &MainFrameBase::OnSidePanelClick},
                    {ID_BACK, &MainFrameBase::OnNavigateClick},
                    {ID_FORWARD, &MainFrameBase::OnNavigateClick}};
    for (const auto& command : commands) Bind(wxEVT_MENU, command.handler, this, command.id);
    Bind(wxEVT_MENU, &MainFrameBase::OnRecentFileClick, this, ID_RECENT_FIRST, ID_RECENT_LAST);
    Bind(wxEVT_MENU, &MainFrameBase::OnExampleClick, this, ID_EXAMPLE_FIRST, ID_EXAMPLE_LAST);
}
