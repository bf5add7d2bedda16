// One exchange's use of `comport`: the port the caller names, opened at the exchange's speed,
// the caller's callbacks, the stop flag and what became of the port. The
// program transfer and the module exchange are sessions; the terminal's receiver reads through
// one on the port the terminal opened. GUI-free.
#pragma once

#include <functional>

#include <wx/string.h>

class SerialSession {
public:
    // Read(): the port failed after it had opened (the device went away).
    static constexpr int kPortGone = -2;
    // AwaitByte(): the stop flag went to 0; the port is closed.
    static constexpr int kStopped = -3;
    // AwaitByte(): nothing came within the time given.
    static constexpr int kTimedOut = -4;

    // Short status text (the program dialog's button label). May be empty.
    std::function<void(const wxString&)> label;
    // Text appended to the log; each piece carries its own line ends. May be empty.
    std::function<void(const wxString&)> log;
    // Empties the log at the start of an exchange. May be empty.
    std::function<void()> clearLog;
    // Called while waiting so that the caller can dispatch its events (a click on Stop/Clear
    // among them). May be empty.
    std::function<void()> pump;
    // Waits the given milliseconds; defaults to wxMilliSleep. The dialogs keep their window alive
    // meanwhile, tests record the waits.
    std::function<void(int ms)> sleep;
    // The port could not be opened: the platform's error code and the reason in words. The
    // exchange goes on (sends write nothing, reads time out) and fails with its usual texts.
    std::function<void(int code, const wxString& reason)> openFailed;

    // What the user can do, in the words of the caller's controls. The defaults name the dialogs'
    // buttons; the command line, which has none, sets its own.
    struct Advice {
        wxString stop = "Stop/Clear oder Close zum abbrechen\n";  // how to end a wait
        wxString retry = wxString::FromUTF8(                      // how to try again after a failed transfer
            "Stop/Clear klicken, die Steuerung kurz von der Spannung trennen und erneut Program klicken.\n");
        wxString reconnect = "- innerhalb ca. 2 Sek. auf Connect clicken\n\n";  // a failed module Connect
    };
    Advice advice;

    // `port` is the name Open() opens; a session that only reads a port someone else opened
    // needs none. `stopFlag`, when given, asks to stop by reading 0.
    explicit SerialSession(const wxString& port = wxString(), const int* stopFlag = nullptr);

    void Label(const wxString& text);
    void Log(const wxString& text);
    void Pump();
    void Sleep(int ms);
    // Empties the log, lets it paint, and gives a port that the terminal just closed 100 ms to
    // settle before the exchange reopens it.
    void Settle();

    // With no port chosen nothing may be opened: true after telling openFailed (code 0) how to
    // choose one. The exchanges ask this before they start.
    bool NoPortChosen();
    static wxString NoPortText();

    // Opens the session's port at `baud`, 8N1, and drops what was waiting in it (an answer of
    // the running program, power-up noise); a failure goes to openFailed.
    bool Open(int baud);
    // Drops what arrived and was not read, so that the answer to the next request is its own.
    void Discard();
    // Reads through a port that someone else opened (the terminal): its failure counts as lost.
    void UseOpenPort();
    void Close();
    bool IsOpen() const;
    void Send(const wxString& text);
    // The low 8 bits of `value`, as one byte.
    void SendByte(int value);

    // One comport.Read(): the byte, -1 when none came within the read wait, kPortGone when the
    // port this session opened has failed. A port that never opened only times out.
    int Read();
    // Pump(), then one Read().
    int PollByte();
    // Pumps and reads until a byte comes: the byte, kStopped, kPortGone, or kTimedOut when
    // `timeoutMs` (>= 0) passed without one.
    int AwaitByte(int timeoutMs = -1);
    // Pumps first, since a stop arrives through the caller's events; true when stop was asked.
    bool StopRequested();

    // Why the port went away, in words.
    wxString LostReason() const { return lostReason_; }
    // After a lost port: logs the line that names it and the reason, once.
    void ReportLostPort();

private:
    const wxString port_;
    const int* stopFlag_;
    bool inUse_ = false;  // the port opened for this session (a failure then means it is gone)
    bool lost_ = false;
    wxString lostReason_;
};
