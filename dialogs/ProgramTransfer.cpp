#include "dialogs/ProgramTransfer.h"

#include <wx/utils.h>

#include "compiler/Data.h"
#include "serial/Comport.h"

int gl_iProgramStop = 0;

namespace {

constexpr int kBlockSize = 128;
constexpr int kPrompt = '>';
constexpr int kBlockEnd = '*';
constexpr int kDataEnd = '<';

// Cells after outputCount fill up the last block; past the end of the array they count as 0.
int Cell(int i) {
    return i >= 0 && i < kImageCells ? (data.outputValue[i] & 0xFF) : 0;
}

}  // namespace

ProgramTransfer::ProgramTransfer() : sleep([](int ms) { wxMilliSleep(ms); }) {}

void ProgramTransfer::Label(const wxString& text) {
    if (label)
        label(text);
}

void ProgramTransfer::Log(const wxString& text) {
    if (log)
        log(text);
}

void ProgramTransfer::Pump() {
    if (pump)
        pump();
}

void ProgramTransfer::Sleep(int ms) {
    if (sleep)
        sleep(ms);
}

void ProgramTransfer::Progress(int sent, int verified) {
    if (progress)
        progress(sent, verified, data.outputCount);
}

void ProgramTransfer::SendByte(int value) {
    comport.Send(wxString(wxUniChar(value & 0xFF), 1));
}

// A port that failed to open is left alone: reads on it return -1 and the loop runs until
// stopped. Only a port that opened and then failed means the device went away.
bool ProgramTransfer::PortGone() const {
    return portOpened_ && comport.Failed();
}

int ProgramTransfer::ReadByte() {
    int c = comport.Read();
    if (c < 0 && PortGone())
        return kPortGone;
    return c;
}

int ProgramTransfer::WaitForChar(int expected) {
    int c;
    do {
        Pump();
        if (gl_iProgramStop == 0) {
            comport.Close();
            return -1;
        }
        c = ReadByte();
        if (c == kPortGone)
            return kPortGone;
    } while (c < 0);
    return c == expected ? 1 : -1;
}

bool ProgramTransfer::Fail(int waitResult, const wxString& errorLabel, const wxString& what) {
    const wxString reason = comport.ErrorText();  // taken before Close can reset it
    comport.Close();
    if (waitResult == kPortGone) {
        result_ = Result::PortFailed;
        Label("Port Fehler");
        Log(wxString::Format("Port Fehler: %s ist nicht mehr erreichbar (%s)\n",
                             data.programComport, reason));
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
    if (clearLog)
        clearLog();
    Pump();
    // Let the dialog repaint and the port that the terminal just closed settle before reopening.
    Sleep(100);

    portOpened_ = comport.Open(data.programComport, 115200, 8, "N", 1);
    if (!portOpened_ && openFailed)
        openFailed(comport.ErrorCode(), comport.ErrorText());

    Log("Programmiervorgang Start\n");
    Log("warten auf Verbindung\n\n");

    // The loader answers only right after the controller powers up, so keep asking until it does.
    bool connected = false;
    while (!connected) {
        comport.Send("(***:PROG)");
        ++connectAttempts_;
        switch (connectAttempts_) {
        case 5:
        case 30:
            Log("- Steuerung von der Spannung trennen\n");
            Log("- kurz warten\n");
            Log("- Spannung anlegen\n\n");
            break;
        case 20:
            Log("TqP-Port zum programmieren nutzen\n");
            Log(wxString::FromUTF8("Richtiger Comport gew\xC3\xA4hlt ?\n\n"));
            break;
        case 50:
            Log("Stop/Clear oder Close zum abbrechen\n");
            break;
        default:
            break;
        }

        Pump();
        if (gl_iProgramStop == 0) {
            comport.Close();
            result_ = Result::Stopped;
            return false;
        }
        int c = ReadByte();
        if (c == kPortGone)
            return Fail(c, wxString(), wxString());
        if (c == kPrompt)
            break;

        Label("wait");
        // The two pauses set the rate of requests while the user switches the controller off and on.
        Sleep(200);
        c = ReadByte();
        if (c == kPortGone)
            return Fail(c, wxString(), wxString());
        if (c == kPrompt)
            break;

        Pump();
        if (gl_iProgramStop == 0) {
            comport.Close();
            result_ = Result::Stopped;
            return false;
        }
        Label("----");
        Sleep(200);  // second half of the request pause, see above
        c = ReadByte();
        if (c == kPortGone)
            return Fail(c, wxString(), wxString());
        connected = c == kPrompt;  // any other byte is line noise from the power-up; drop it
    }

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
        for (int k = 0; k < kBlockSize; ++k) {
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
        if (count > i) {
            comport.Send("N");
        } else {
            comport.Send("E");
            break;
        }
    }

    r = WaitForChar(kDataEnd);
    if (r != 1)
        return Fail(r, "Error <", wxString::FromUTF8("die Steuerung hat das Datenende nicht best\xc3\xa4tigt"));

    for (i = 0; i < count; ++i) {
        comport.Send("?");
        Pump();
        r = WaitForChar(Cell(i));
        if (r != 1)
            return Fail(r, wxString::Format("Err V: %d", i), wxString::Format(wxString::FromUTF8("Byte %d wurde falsch zur\xc3\xbc" "ckgelesen"), i));
        Label(wxString::Format("R: %d", i));
        Progress(count, i + 1);
    }

    comport.Close();
    Label("OK");
    gl_iProgramStop = 0;
    Log("Programmierung OK\n");
    // Leave "OK" in view for a moment before the caller closes the dialog.
    Sleep(800);
    result_ = Result::Ok;
    return true;
}
