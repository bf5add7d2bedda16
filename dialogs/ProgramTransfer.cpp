#include "dialogs/ProgramTransfer.h"

#include <chrono>

#include "compiler/Data.h"
#include "serial/Comport.h"
#include "serial/DeviceProtocol.h"

int gl_iProgramStop = 0;

namespace {

using namespace protocol;

// What the user is told while the loader stays silent, at these requests; without a text, how
// to stop in the caller's words.
const struct {
    int attempt;
    const char* text;  // UTF-8
} kAttemptHints[] = {
    {5, "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n"},
    {20, "TqP-Port zum programmieren nutzen\nRichtiger Comport gew\xC3\xA4hlt ?\n\n"},
    {30, "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n"},
    {50, nullptr},
};

// Bytes read in one go before the connection loop lets the window answer again.
constexpr int kDrainBetweenPumps = 256;

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// "0,3" or "12": German decimals whatever the program's number locale.
wxString Decimal(double value, int digits) {
    wxString text = wxString::Format("%.*f", digits, value);
    text.Replace(".", ",");
    return text;
}

// A duration for the log and the phase: whole seconds, and no "0 s" for what takes less.
wxString Seconds(double seconds) {
    return seconds < 1 ? wxString("unter 1 s") : Decimal(seconds, 0) + " s";
}

// Cells after outputCount fill up the last block; past the end of the array they count as 0.
int Cell(int i) {
    return i >= 0 && i < kImageCells ? (data.outputValue[i] & 0xFF) : 0;
}

}  // namespace

ProgramTransfer::ProgramTransfer() : SerialSession(&gl_iProgramStop) {}

void ProgramTransfer::Progress(int sent, int verified) {
    if (progress)
        progress(sent, verified, data.outputCount);
}

wxString ProgramTransfer::LatencyText(double msPerByte, double expectedSeconds, bool adapterHint) {
    wxString text = wxString::Format(wxString::FromUTF8("Antwortzeit %s ms je Byte, die \xc3\x9c" "bertragung dauert %s\n"),
                                     Decimal(msPerByte, 1),
                                     (expectedSeconds < 1 ? wxString() : wxString("etwa ")) + Seconds(expectedSeconds));
    // USB adapters hold each answer back up to their latency timer (16 ms by default).
    if (adapterHint && msPerByte > 4)
        text += wxString::FromUTF8("Der Adapter antwortet langsam: im Ger\xc3\xa4te-Manager beim Adapter unter "
                                   "Anschlusseinstellungen > Erweitert den Latency Timer auf 1 ms stellen.\n");
    return text;
}

int ProgramTransfer::RoundTrips() const {
    const int blocks = data.outputCount == 0 ? 1 : (data.outputCount + kBlockBytes - 1) / kBlockBytes;
    // The length's ">", a ">" per byte and "*" per block, "<", and one answer per byte verified.
    return 1 + blocks * (kBlockBytes + 1) + 1 + data.outputCount;
}

void ProgramTransfer::ShowPhase(const wxString& word, int done, int total) {
    const int percent = total < 0 ? -1 : total == 0 ? 100 : static_cast<int>(100LL * done / total);
    if (!phase || (percent == shownPercent_ && word == shownWord_))
        return;
    shownPercent_ = percent;
    shownWord_ = word;
    wxString text = word;
    if (percent >= 0)
        text += wxString::Format(" %d %%", percent);
    if (percent >= 0 && percent < 100 && trips_ > 0) {
        const double left = (Now() - started_) / trips_ * (RoundTrips() - trips_);
        text += ", noch " + Seconds(left);
    }
    phase(text, percent);
}

int ProgramTransfer::WaitForChar(int expected) {
    const int c = AwaitByte(answerTimeoutMs);
    if (c == kPortGone || c == kTimedOut)
        return c;
    ++trips_;
    return c == expected ? 1 : -1;
}

int ProgramTransfer::ReadForPrompt() {
    for (int n = 1;; ++n) {
        const int c = Read();
        if (c == kPrompt || c == kPortGone || c == -1)
            return c;
        // A program that keeps talking must not keep the window from answering, nor Stop from working.
        if (n % kDrainBetweenPumps == 0 && StopRequested())
            return -1;
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
        if (gl_iProgramStop == 0)
            Log("Programmierung abgebrochen\n");
        else if (waitResult == kTimedOut)
            Log(errorLabel + ": die Steuerung antwortet seit " + Decimal(answerTimeoutMs / 1000.0, answerTimeoutMs % 1000 ? 1 : 0) +
                " s nicht.\n" + advice.retry);
        else
            Log(errorLabel + ": " + what + ".\n" + advice.retry);
    }
    return false;
}

bool ProgramTransfer::Run() {
    // A second click while a transfer runs (the pump lets it through), or after a failure that
    // was not cleared with Stop/Clear, must not start another transfer on the same port.
    if (gl_iProgramStop == 1) {
        result_ = Result::Ignored;  // a running transfer sets its own result when it ends
        return false;
    }
    const wxString tooLarge = ImageTooLargeText(data.outputCount);
    if (!tooLarge.empty()) {
        // Two length bytes cannot tell the loader this image; the port stays closed.
        result_ = Result::TooLarge;
        Label(wxString::FromUTF8("Zu gro\xc3\x9f"));
        Log(tooLarge + "\n");
        return false;
    }
    if (NoPortChosen()) {
        result_ = Result::Failed;
        return false;
    }
    gl_iProgramStop = 1;
    result_ = Result::Failed;
    connectAttempts_ = 0;
    trips_ = 0;
    shownPercent_ = -2;
    shownWord_.clear();
    Settle();
    if (Open(kLoaderBaud) && !comport.LowLatencyProblem().empty())
        Log(comport.LowLatencyProblem() + "\n");
    Log("Programmiervorgang Start\n");
    Log("warten auf Verbindung\n\n");
    ShowPhase("Warte auf Steuerung", 0, -1);

    // The loader answers only right after the controller powers up, so keep asking until it does.
    int c;
    for (;;) {
        // What came before this request (noise, a late answer) is not the answer to it.
        Discard();
        Send(kProgram);
        ++connectAttempts_;
        for (const auto& hint : kAttemptHints)
            if (hint.attempt == connectAttempts_)
                Log(hint.text ? wxString::FromUTF8(hint.text) : advice.stop);
        if (StopRequested())
            return EndStopped();
        if ((c = ReadForPrompt()) == kPrompt || c == kPortGone)
            break;
        Label("wait");
        // The two pauses set the rate of requests while the user switches the controller off and on.
        Sleep(200);
        if ((c = ReadForPrompt()) == kPrompt || c == kPortGone)
            break;
        if (StopRequested())
            return EndStopped();
        Label("----");
        Sleep(200);  // second half of the request pause, see above
        // Any other byte is line noise from the power-up; it is dropped.
        if ((c = ReadForPrompt()) == kPrompt || c == kPortGone)
            break;
    }
    if (c == kPortGone)
        return Fail(c, wxString(), wxString());

    const int count = data.outputCount;
    const int sentTotal = (count == 0 ? 1 : (count + kBlockBytes - 1) / kBlockBytes) * kBlockBytes;
    SendByte((count / 256) & 0xFF);
    started_ = Now();
    Label("H-Byte");
    int r = WaitForChar(kPrompt);
    if (r != 1)
        return Fail(r, "Err H-Byte", wxString::FromUTF8("die Steuerung hat die Programml\xc3\xa4nge nicht best\xc3\xa4tigt"));
    SendByte(count % 256);
    Label("L-Byte");

    // The loader takes whole blocks; the tail of the last one is whatever follows outputCount.
    int i = 0;
    for (;;) {
        for (int k = 0; k < kBlockBytes; ++k) {
            r = WaitForChar(kPrompt);
            if (r != 1)
                return Fail(r, wxString::Format("Err B: %d", i), wxString::Format("die Steuerung hat Byte %d nicht angefordert", i));
            SendByte(Cell(i));
            Label(wxString::Format("W: %d", i));
            ++i;
            Progress(i < count ? i : count, 0);
            ShowPhase(wxString::FromUTF8("\xc3\x9c" "bertrage"), i, sentTotal);
        }
        r = WaitForChar(kBlockEnd);
        if (r != 1)
            return Fail(r, "Error *", wxString::FromUTF8("die Steuerung hat das Blockende nicht best\xc3\xa4tigt"));
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
        if (last)
            break;
    }

    r = WaitForChar(kDataEnd);
    if (r != 1)
        return Fail(r, "Error <", wxString::FromUTF8("die Steuerung hat das Datenende nicht best\xc3\xa4tigt"));

    for (i = 0; i < count; ++i) {
        SendByte(kReadBack);
        Pump();
        r = WaitForChar(Cell(i));
        if (r != 1)
            return Fail(r, wxString::Format("Err V: %d", i), wxString::Format(wxString::FromUTF8("Byte %d wurde falsch zur\xc3\xbc" "ckgelesen"), i));
        Label(wxString::Format("R: %d", i));
        Progress(count, i + 1);
        ShowPhase(wxString::FromUTF8("Pr\xc3\xbc" "fe"), i + 1, count);
    }

    Close();
    Label("OK");
    gl_iProgramStop = 0;
    Log("Programmierung OK\n");
    // Leave "OK" in view for a moment before the caller closes the dialog.
    Sleep(800);
    result_ = Result::Ok;
    return true;
}
