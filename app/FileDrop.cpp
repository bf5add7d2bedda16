// A .tqc file dropped on the window opens, after the question whether to save the text shown.
// Text dragged within or into the editor still moves or copies as the editor does it.
#include "app/MainFrame.h"

#include <wx/dnd.h>
#include <wx/filename.h>

namespace {

// On the frame's bars: files only.
class FrameDrop : public wxFileDropTarget {
public:
    explicit FrameDrop(MainFrame* frame) : frame_(frame) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
        // After the drop has ended, so that the question does not stall the dragging program.
        frame_->CallAfter([frame = frame_, files] { frame->OpenDropped(files); });
        return true;
    }

private:
    MainFrame* frame_;
};

// On the editor: files open, text goes to the editor's own dropping.
class EditorDrop : public wxDropTarget {
public:
    EditorDrop(MainFrame* frame, wxStyledTextCtrl* editor) : frame_(frame), editor_(editor) {
        auto* both = new wxDataObjectComposite;
        both->Add(files_ = new wxFileDataObject, true);
        both->Add(text_ = new wxTextDataObject);
        SetDataObject(both);
    }
    wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override { return editor_->DoDragEnter(x, y, def); }
    wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult def) override { return editor_->DoDragOver(x, y, def); }
    void OnLeave() override { editor_->DoDragLeave(); }
    wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override {
        if (!GetData()) return wxDragNone;
        if (static_cast<wxDataObjectComposite*>(GetDataObject())->GetReceivedFormat().GetType() == wxDF_FILENAME) {
            editor_->DoDragLeave();
            const wxArrayString files = files_->GetFilenames();
            frame_->CallAfter([frame = frame_, files] { frame->OpenDropped(files); });
            return wxDragCopy;
        }
        return editor_->DoDropText(x, y, text_->GetText()) ? def : wxDragNone;
    }

private:
    MainFrame* frame_;
    wxStyledTextCtrl* editor_;
    wxFileDataObject* files_;
    wxTextDataObject* text_;
};

}  // namespace

void MainFrame::SetUpFileDrop() {
    SetDropTarget(new FrameDrop(this));
    editor_->SetDropTarget(new EditorDrop(this, editor_));
}

void MainFrame::OpenDropped(const wxArrayString& files) {
    for (const wxString& path : files) {
        if (wxFileName(path).GetExt().Lower() != "tqc") continue;
        if (MaySetTextAside()) OpenScript(path);
        return;  // one script at a time: the editor holds one
    }
    Ask(wxString::FromUTF8("Nur TqC-Skripte (*.tqc) werden geöffnet."), "Datei ablegen", wxOK | wxICON_INFORMATION);
}
