// Sends the compiled image (data.outputCount cells of data.outputValue) to the controller's loader
// over `comport` and reads it back for verification. GUI-free: the program dialog and tqc-cli
// both drive it and show what it reports through the callbacks below.
#pragma once

#include <functional>

#include <wx/string.h>

// 1 while a transfer runs and after one failed; 0 when idle or when the user asked to stop.
// The dialog's Stop/Clear and Close set it to 0; the transfer reads it at every wait.
extern int gl_iProgramStop;

class ProgramTransfer {
public:
    enum class Result {
        Ignored,    // gl_iProgramStop was 1: a transfer runs or the last one failed
        Ok,         // image sent and verified
        Stopped,    // the user set gl_iProgramStop to 0 during the connection loop
        Failed,     // wrong answer (or a stop) in a wait; the label names the phase
        PortFailed,  // the device vanished while in use
        TooLarge     // the image exceeds the program memory: nothing was sent
    };

    // Short status text (the dialog's "Program" button label).
    std::function<void(const wxString&)> label;
    // Text appended to the transfer log; each piece carries its own line ends.
    std::function<void(const wxString&)> log;
    // Empties the transfer log at the start of a transfer. May be empty.
    std::function<void()> clearLog;
    // Called while waiting so the caller can dispatch its events (and set gl_iProgramStop to 0).
    // May be empty.
    std::function<void()> pump;
    // Cells sent (up to total), cells verified, outputCount. May be empty.
    std::function<void(int sent, int verified, int total)> progress;
    // The port could not be opened: the platform's error code and the reason in words.
    // The transfer goes on regardless (the connection loop runs until stopped). May be empty.
    std::function<void(int code, const wxString& reason)> openFailed;
    // Sleeps the given milliseconds; defaults to wxMilliSleep. Tests replace it.
    std::function<void(int ms)> sleep;

    ProgramTransfer();

    // Runs one whole transfer; true after "OK". Ends with the port closed in every case except
    // the re-entry guard, which leaves everything untouched.
    bool Run();
    Result LastResult() const { return result_; }
    // "(***:PROG)" requests sent by the last run.
    int ConnectAttempts() const { return connectAttempts_; }

private:
    static constexpr int kPortGone = -2;

    int WaitForChar(int expected);
    int ReadByte();  // one comport.Read(), kPortGone when the open port has failed
    bool PortGone() const;
    // `what` says in words what went wrong, for the log.
    bool Fail(int waitResult, const wxString& errorLabel, const wxString& what);
    void SendByte(int value);
    void Label(const wxString& text);
    void Log(const wxString& text);
    void Pump();
    void Sleep(int ms);
    void Progress(int sent, int verified);

    Result result_ = Result::Ignored;
    bool portOpened_ = false;
    int connectAttempts_ = 0;
};
