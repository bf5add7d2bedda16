#include "dialogs/ProgramTransfer.h"

#include "compiler/Data.h"
#include "serial/DeviceProtocol.h"

int gl_iProgramStop = 0;

namespace {

using namespace protocol;

// What the user is told while the loader stays silent, at these requests.
const struct {
    int attempt;
    const char* text;  // UTF-8
} kAttemptHints[] = {
    {5, "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n"},
    {20, "TqP-Port zum programmieren nutzen\nRichtiger Comport gew\xC3\xA4hlt ?\n\n"},
    {30, "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n"},
    {50, "Stop/Clear oder Close zum abbrechen\n"},
};

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

int ProgramTransfer::WaitForChar(int expected) {
    const int c = AwaitByte();
    if (c == kPortGone)
        return kPortGone;
    return c == expected ? 1 : -1;
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
        else
            Log(errorLabel + ": " + what + ".\n" +
                wxString::FromUTF8("Stop/Clear klicken, die Steuerung kurz von der Spannung trennen und "
                                   "erneut Program klicken.\n"));
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
    gl_iProgramStop = 1;
    result_ = Result::Failed;
    connectAttempts_ = 0;
    Settle();
    Open(kLoaderBaud);
    Log("Programmiervorgang Start\n");
    Log("warten auf Verbindung\n\n");

    // The loader answers only right after the controller powers up, so keep asking until it does.
    int c;
    for (;;) {
        Send(kProgram);
        ++connectAttempts_;
        for (const auto& hint : kAttemptHints)
            if (hint.attempt == connectAttempts_)
                Log(wxString::FromUTF8(hint.text));
        if (StopRequested())
            return EndStopped();
        if ((c = Read()) == kPrompt || c == kPortGone)
            break;
        Label("wait");
        // The two pauses set the rate of requests while the user switches the controller off and on.
        Sleep(200);
        if ((c = Read()) == kPrompt || c == kPortGone)
            break;
        if (StopRequested())
            return EndStopped();
        Label("----");
        Sleep(200);  // second half of the request pause, see above
        // Any other byte is line noise from the power-up; it is dropped.
        if ((c = Read()) == kPrompt || c == kPortGone)
            break;
    }
    if (c == kPortGone)
        return Fail(c, wxString(), wxString());

    const int count = data.outputCount;
    SendByte((count / 256) & 0xFF);
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
        }
        r = WaitForChar(kBlockEnd);
        if (r != 1)
            return Fail(r, "Error *", wxString::FromUTF8("die Steuerung hat das Blockende nicht best\xc3\xa4tigt"));
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
