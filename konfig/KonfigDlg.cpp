#include "konfig/KonfigDlg.h"
#include "dialogs/WindowPlace.h"

#include "compiler/Data.h"
#include "dialogs/ComportError.h"
#include "dialogs/PortChoice.h"

#include <wx/app.h>
#include <wx/utils.h>

#include <algorithm>
#include <chrono>

wxTextCtrl* m_glTextTaster[32];
wxTextCtrl* m_glTextLed[32];

namespace {

using Result = ModuleExchange::Result;

// A field for one number, 40 x 20 px where that suffices. GTK pads entries so widely that "65535"
// would be cut off at 40 px, so the width grows to what the toolkit needs for five digits and the
// caret (and the height to one text line for large fonts).
wxTextCtrl* NumberField(wxWindow* parent) {
    auto* field = new wxTextCtrl(parent, wxID_ANY, wxString(), wxDefaultPosition, wxSize(40, 20), wxTE_CENTRE);
    const wxSize digits = field->GetTextExtent("65535");
    const int width = field->GetSizeFromTextSize(digits.x + field->GetCharWidth()).x;
    field->SetInitialSize(wxSize(std::max(40, width), std::max(20, digits.y + 2)));
    return field;
}

}  // namespace

KonfigDlg::KonfigDlg(wxWindow* parent) : MainKonfigDlg(parent) {
    static_assert(kRowsPerBlock * kRowBlocks == kKonfigRows, "every row has its place");
    for (int row = 1; row <= kKonfigRows; ++row) {
        const int line = (row - 1) % kRowsPerBlock + 1, column = (row - 1) / kRowsPerBlock * 3;
        // The second block keeps a wider gap to the first, so its numbers read as its own.
        rowGrid->Add(new wxStaticText(this, wxID_ANY, wxString::Format("%d", row)), wxGBPosition(line, column),
                     wxDefaultSpan, wxALIGN_CENTER | wxLEFT, column ? 15 : 3);
        m_glTextTaster[row - 1] = NumberField(this);
        m_glTextLed[row - 1] = NumberField(this);
        rowGrid->Add(m_glTextTaster[row - 1], wxGBPosition(line, column + 1), wxDefaultSpan, wxALL, 3);
        rowGrid->Add(m_glTextLed[row - 1], wxGBPosition(line, column + 2), wxDefaultSpan, wxALL, 3);
        // Tab walks the rows first: they are what the user types into.
        m_glTextTaster[row - 1]->MoveBeforeInTabOrder(connectButton);
        m_glTextLed[row - 1]->MoveBeforeInTabOrder(connectButton);
    }
    // The program port, by its adapter's name; one that came back under another name is followed.
    const wxString stored = data.programComport;
    const PortMatch port = PortChoice::Resolve(data.programComport, EditorSettings::Port::Program);
    portLabel->SetLabel(port.Shown().empty() ? wxString::FromUTF8("kein Comport gewählt") : port.Shown());
    if (port.followed) konfigLog->AppendText(FollowedNotice(stored, port) + "\n");
    Bind(wxEVT_CHAR_HOOK, &KonfigDlg::OnCharHook, this);
    Fit();
    place::Keep(this);
}

KonfigDlg::~KonfigDlg() {
    for (int row = 0; row < kKonfigRows; ++row) {
        m_glTextTaster[row] = nullptr;
        m_glTextLed[row] = nullptr;
    }
}

void KonfigDlg::WaitResponsive(int ms) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        wxTheApp->Yield(true);
        const Clock::time_point now = Clock::now();
        if (now >= end) return;
        // Slices of at most 10 ms: events wait no longer than that, and the pause is kept whole.
        const long long left = std::chrono::ceil<std::chrono::milliseconds>(end - now).count();
        wxMilliSleep(static_cast<unsigned long>(std::min(left, 10LL)));
    }
}

void KonfigDlg::Exchange(const std::function<void(ModuleExchange&)>& step) {
    ModuleExchange exchange(data.programComport);
    exchange.log = [this](const wxString& text) { konfigLog->AppendText(text); };
    exchange.clearLog = [this] { konfigLog->Clear(); };
    exchange.pump = [] { wxTheApp->Yield(true); };
    exchange.sleep = &KonfigDlg::WaitResponsive;
    exchange.openFailed = [this](int code, const wxString& reason) { ShowComportError(this, code, reason); };
    // A click let through by the pump reaches here nested; the exchange ignores it, and only the
    // outermost call may end the dialog.
    const bool outermost = !ModuleExchange::Busy();
    step(exchange);
    if (outermost && closeRequested_) {
        closeRequested_ = false;
        Close();
    }
}

void KonfigDlg::OnBtnConnectClick(wxCommandEvent&) {
    Exchange([this](ModuleExchange& exchange) {
        const Result result = exchange.Connect();
        if (result != Result::Ignored) connectFailed_ = result != Result::Ok;
    });
}

bool KonfigDlg::NotConnected() {
    // A click let through during an exchange is turned away by the exchange itself, silently.
    // Without a port the exchange itself says how to choose one, which helps more than this.
    if (!connectFailed_ || ModuleExchange::Busy() || data.programComport.empty()) return false;
    konfigLog->AppendText("Kein Modul verbunden: zuerst Connect klicken\n\n");
    return true;
}

// Escape closes the dialog as its close box does (it has no Cancel button for the default to use).
void KonfigDlg::OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers())
        Close();
    else
        event.Skip();
}

void KonfigDlg::OnBtnReadClick(wxCommandEvent&) {
    if (NotConnected()) return;
    Exchange([this](ModuleExchange& exchange) {
        KonfigValues values;
        if (exchange.Read(values) == Result::Ok) ShowValues(values);
    });
}

void KonfigDlg::OnBtnWriteClick(wxCommandEvent&) {
    if (NotConnected()) return;
    Exchange([this](ModuleExchange& exchange) {
        std::vector<KonfigFieldProblem> problems;
        if (exchange.Write(FieldTexts(), &problems) != Result::Invalid || problems.empty()) return;
        wxTextCtrl* bad = (problems.front().led ? m_glTextLed : m_glTextTaster)[problems.front().row - 1];
        bad->SetFocus();
        bad->SelectAll();
    });
}

void KonfigDlg::OnBtnClearClick(wxCommandEvent&) { ShowValues(KonfigValues{}); }

#define TQC_MODEL_HANDLER(id, label, ...) \
    void KonfigDlg::OnBtn##id##Click(wxCommandEvent&) { ApplyModel(FindModel(label)); }
TQC_PX_MODELS(TQC_MODEL_HANDLER)
#undef TQC_MODEL_HANDLER

void KonfigDlg::OnDlgClose(wxCloseEvent& event) {
    if (ModuleExchange::Busy()) {
        // The exchange's handler is still on the stack; Exchange() closes once it has finished.
        closeRequested_ = true;
        if (event.CanVeto()) event.Veto();
        return;
    }
    event.Skip();  // the dialog's own handling ends the modal loop
}

void KonfigDlg::ApplyModel(const ModelNumbering* model) {
    wxCHECK_RET(model, "a model button without a numbering");
    ShowValues(ModelValues(*model));
}

void KonfigDlg::ShowValues(const KonfigValues& values) {
    for (int row = 0; row < kKonfigRows; ++row) {
        m_glTextTaster[row]->SetValue(wxString::Format("%d", values[row].taster));
        m_glTextLed[row]->SetValue(wxString::Format("%d", values[row].led));
    }
}

KonfigTexts KonfigDlg::FieldTexts() const {
    KonfigTexts texts;
    for (int row = 0; row < kKonfigRows; ++row) {
        texts.taster[row] = m_glTextTaster[row]->GetValue();
        texts.led[row] = m_glTextLed[row]->GetValue();
    }
    return texts;
}
