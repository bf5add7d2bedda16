#include "dialogs/ProgramTransfer.h"

#include <chrono>
#include <iterator>

#include "compiler/Data.h"  // ImageTooLargeText
#include "serial/Comport.h"
#include "serial/DeviceProtocol.h"

namespace {

using namespace protocol;

// What the user is told while the loader stays silent, at these requests; without a text, how
// to stop in the caller's words.
const struct {
    int attempt;
    const char* text;  // UTF-8
} kAttemptHints[] = {{5, "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n"},
                     {20, "TqP-Port zum programmieren nutzen\nRichtiger Comport gewählt ?\n\n"},
                     {30, "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n"},
                     {50, nullptr}};

// The three reads of a connection attempt: whether the user may stop first, and the label and
// pause before it. The pauses set the rate of requests while the user switches the controller
// off and on.
const struct {
    bool stopFirst;
    const char* label;
    int pauseMs;
} kAttemptReads[] = {{true, nullptr, 0}, {false, "wait", 200}, {true, "----", 200}};

// What a failed wait shows on the label and adds in the log's words; %d is the byte's index.
const struct {
    const char* label;
    const char* what;  // UTF-8
} kWaitTexts[] = {{"Err H-Byte", "die Steuerung hat die Programmlänge nicht bestätigt"},
                  {"Err B: %d", "die Steuerung hat Byte %d nicht angefordert"},
                  {"Error *", "die Steuerung hat das Blockende nicht bestätigt"},
                  {"Error <", "die Steuerung hat das Datenende nicht bestätigt"},
                  {"Err V: %d", "Byte %d wurde falsch zurückgelesen"}};

// A text of kWaitTexts with the index put in where it names one.
wxString Numbered(const char* utf8, int index) {
    const wxString text = wxString::FromUTF8(utf8);
    return text.Contains("%d") ? wxString::Format(text, index) : text;
}

// Bytes read in one go before the connection loop lets the window answer again.
constexpr int kDrainBetweenPumps = 256;

double Now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// "0,3" or "12": German decimals whatever the program's number locale.
wxString Decimal(double value, int digits) {
    wxString text = wxString::Format("%.*f", digits, value);
    text.Replace(".", ",");
    return text;
}

// A duration for the log and the phase: whole seconds, and no "0 s" for what takes less.
wxString Seconds(double seconds) { return seconds < 1 ? wxString("unter 1 s") : Decimal(seconds, 0) + " s"; }

}  // namespace

ProgramTransfer::ProgramTransfer(const wxString& port, const Image& image, int& stopFlag)
    : SerialSession(port, &stopFlag), image_(image), stop_(stopFlag) {}

int ProgramTransfer::Cell(int i) const { return i >= 0 && i < image_.capacity ? (image_.cells[i] & 0xFF) : 0; }

void ProgramTransfer::Progress(int sent, int verified) {
    if (progress) progress(sent, verified, image_.count);
}

wxString ProgramTransfer::LatencyText(double msPerByte, double expectedSeconds, bool adapterHint) {
    wxString text = wxString::Format(wxString::FromUTF8("Antwortzeit %s ms je Byte, die Übertragung dauert %s\n"),
                                     Decimal(msPerByte, 1),
                                     (expectedSeconds < 1 ? wxString() : wxString("etwa ")) + Seconds(expectedSeconds));
    // USB adapters hold each answer back up to their latency timer (16 ms by default).
    if (adapterHint && msPerByte > 4)
        text += wxString::FromUTF8(
            "Der Adapter antwortet langsam: im Geräte-Manager beim Adapter unter "
            "Anschlusseinstellungen > Erweitert den Latency Timer auf 1 ms stellen.\n");
    return text;
}

int ProgramTransfer::RoundTrips() const {
    const int blocks = image_.count == 0 ? 1 : (image_.count + kBlockBytes - 1) / kBlockBytes;
    // The length's ">", a ">" per byte and "*" per block, "<", and one answer per byte verified.
    return 1 + blocks * (kBlockBytes + 1) + 1 + image_.count;
}

void ProgramTransfer::ShowPhase(const wxString& word, int done, int total) {
    const int percent = total < 0 ? -1 : total == 0 ? 100 : static_cast<int>(100LL * done / total);
    if (!phase || (percent == shownPercent_ && word == shownWord_)) return;
    shownPercent_ = percent;
    shownWord_ = word;
    wxString text = word;
    if (percent >= 0) text += wxString::Format(" %d %%", percent);
    if (percent >= 0 && percent < 100 && trips_ > 0) {
        const double left = (Now() - started_) / trips_ * (RoundTrips() - trips_);
        text += ", noch " + Seconds(left);
    }
    phase(text, percent);
}

int ProgramTransfer::WaitForChar(int expected) {
    const int c = AwaitByte(answerTimeoutMs);
    if (c == kPortGone || c == kTimedOut) return c;
    ++trips_;
    return c == expected ? 1 : -1;
}

bool ProgramTransfer::Expect(int expected, Wait wait, int index) {
    const int r = WaitForChar(expected);
    if (r == 1) return true;
    static_assert(std::size(kWaitTexts) == static_cast<std::size_t>(Wait::ReadBack) + 1, "texts for every wait");
    const auto& texts = kWaitTexts[static_cast<int>(wait)];
    return Fail(r, Numbered(texts.label, index), Numbered(texts.what, index));
}

int ProgramTransfer::ReadForPrompt() {
    for (int n = 1;; ++n) {
        const int c = Read();
        if (c == kPrompt || c == kPortGone || c == -1) return c;
        // A program that keeps talking must not keep the window from answering, nor Stop from working.
        if (n % kDrainBetweenPumps == 0 && StopRequested()) return -1;
    }
}

bool ProgramTransfer::EndStopped() {
    Close();
    result_ = Result::Stopped;
    return false;
}

bool ProgramTransfer::Fail(int waitResult, const wxString& errorLabel, const wxString& what) {
    Close();
    if (waitResult == kPortGone) {
        result_ = Result::PortFailed;
        Label("Port Fehler");
        ReportLostPort();
    } else {
        result_ = Result::Failed;
        Label(errorLabel);
        if (stop_ == 0)
            Log("Programmierung abgebrochen\n");
        else if (waitResult == kTimedOut)
            Log(errorLabel + ": die Steuerung antwortet seit " +
                Decimal(answerTimeoutMs / 1000.0, answerTimeoutMs % 1000 ? 1 : 0) + " s nicht.\n" + advice.retry);
        else
            Log(errorLabel + ": " + what + ".\n" + advice.retry);
    }
    return false;
}

bool ProgramTransfer::Run() { return Begin() && Connect() && SendLength() && SendBlocks() && Verify() && Succeed(); }

bool ProgramTransfer::Begin() {
    // A second click while a transfer runs (the pump lets it through), or after a failure that
    // was not cleared with Stop/Clear, must not start another transfer on the same port.
    if (stop_ == 1) {
        result_ = Result::Ignored;  // a running transfer sets its own result when it ends
        return false;
    }
    const wxString tooLarge = ImageTooLargeText(image_.count);
    if (!tooLarge.empty()) {
        // Two length bytes cannot tell the loader this image; the port stays closed.
        result_ = Result::TooLarge;
        Label(wxString::FromUTF8("Zu groß"));
        Log(tooLarge + "\n");
        return false;
    }
    if (NoPortChosen()) {
        result_ = Result::Failed;
        return false;
    }
    stop_ = 1;
    result_ = Result::Failed;
    connectAttempts_ = 0;
    trips_ = 0;
    shownPercent_ = -2;
    shownWord_.clear();
    Settle();
    if (Open(kLoaderBaud) && !comport.LowLatencyProblem().empty()) Log(comport.LowLatencyProblem() + "\n");
    Log("Programmiervorgang Start\n");
    Log("warten auf Verbindung\n\n");
    ShowPhase("Warte auf Steuerung", 0, -1);
    return true;
}

bool ProgramTransfer::Connect() {
    // The loader answers only right after the controller powers up, so keep asking until it does.
    for (;;) {
        // What came before this request (noise, a late answer) is not the answer to it.
        Discard();
        Send(kProgram);
        ++connectAttempts_;
        for (const auto& hint : kAttemptHints)
            if (hint.attempt == connectAttempts_) Log(hint.text ? wxString::FromUTF8(hint.text) : advice.stop);
        for (const auto& read : kAttemptReads) {
            if (read.stopFirst && StopRequested()) return EndStopped();
            if (read.label) {
                Label(read.label);
                Sleep(read.pauseMs);
            }
            // Any other byte is line noise from the power-up; it is dropped.
            const int c = ReadForPrompt();
            if (c == kPrompt) return true;
            if (c == kPortGone) return Fail(c, wxString(), wxString());
        }
    }
}

bool ProgramTransfer::SendLength() {
    SendByte((image_.count / 256) & 0xFF);
    started_ = Now();
    Label("H-Byte");
    if (!Expect(kPrompt, Wait::Length)) return false;
    SendByte(image_.count % 256);
    Label("L-Byte");
    return true;
}

bool ProgramTransfer::SendBlocks() {
    // The loader takes whole blocks; the tail of the last one is whatever follows the count.
    const int count = image_.count;
    const int sentTotal = (count == 0 ? 1 : (count + kBlockBytes - 1) / kBlockBytes) * kBlockBytes;
    for (int i = 0;;) {
        for (int k = 0; k < kBlockBytes; ++k) {
            if (!Expect(kPrompt, Wait::Byte, i)) return false;
            SendByte(Cell(i));
            Label(wxString::Format("W: %d", i));
            ++i;
            Progress(i < count ? i : count, 0);
            ShowPhase(wxString::FromUTF8("Übertrage"), i, sentTotal);
        }
        if (!Expect(kBlockEnd, Wait::BlockEnd)) return false;
        if (i == kBlockBytes) {
            // The first block shows how long the adapter and the loader take per answer.
            const double perTrip = (Now() - started_) / trips_;
#ifdef _WIN32
            const bool adapterHint = true;
#else
            const bool adapterHint = false;  // Linux sets the adapter itself and logged any problem after the open
#endif
            Log(LatencyText(perTrip * 1000, perTrip * RoundTrips(), adapterHint));
        }
        const bool last = count <= i;
        SendByte(last ? kLastBlock : kNextBlock);
        if (last) return Expect(kDataEnd, Wait::DataEnd);
    }
}

bool ProgramTransfer::Verify() {
    for (int i = 0; i < image_.count; ++i) {
        SendByte(kReadBack);
        Pump();
        if (!Expect(Cell(i), Wait::ReadBack, i)) return false;
        Label(wxString::Format("R: %d", i));
        Progress(image_.count, i + 1);
        ShowPhase(wxString::FromUTF8("Prüfe"), i + 1, image_.count);
    }
    return true;
}

bool ProgramTransfer::Succeed() {
    Close();
    Label("OK");
    stop_ = 0;
    Log("Programmierung OK\n");
    // Leave "OK" in view for a moment before the caller closes the dialog.
    Sleep(800);
    result_ = Result::Ok;
    return true;
}
