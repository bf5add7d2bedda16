// Sends the compiled image (data.outputCount cells of data.outputValue) to the controller's loader
// over `comport` and reads it back for verification. GUI-free: the program dialog and tqc-cli
// both drive it and show what it reports through the session's callbacks and `progress`.
#pragma once

#include <functional>

#include <wx/string.h>

#include "serial/SerialSession.h"

// 1 while a transfer runs and after one failed; 0 when idle or when the user asked to stop.
// The dialog's Stop/Clear and Close set it to 0; the transfer reads it at every wait.
extern int gl_iProgramStop;

class ProgramTransfer : public SerialSession {
public:
    enum class Result {
        Ignored,    // gl_iProgramStop was 1: a transfer runs or the last one failed
        Ok,         // image sent and verified
        Stopped,    // the user set gl_iProgramStop to 0 during the connection loop
        Failed,     // wrong answer (or a stop) in a wait; the label names the phase
        PortFailed,  // the device vanished while in use
        TooLarge     // the image exceeds the program memory: nothing was sent
    };

    // Cells sent (up to total), cells verified, outputCount. May be empty.
    std::function<void(int sent, int verified, int total)> progress;

    // The session's stop flag is gl_iProgramStop. A port that cannot be opened is reported
    // through openFailed; the connection loop runs on until stopped.
    ProgramTransfer();

    // Runs one whole transfer; true after "OK". Ends with the port closed in every case except
    // the re-entry guard, which leaves everything untouched.
    bool Run();
    Result LastResult() const { return result_; }
    // "(***:PROG)" requests sent by the last run.
    int ConnectAttempts() const { return connectAttempts_; }

private:
    // 1 when `expected` came, -1 for another byte or a stop, kPortGone.
    int WaitForChar(int expected);
    // The user stopped the connection loop: the port closes.
    bool EndStopped();
    // `what` says in words what went wrong, for the log.
    bool Fail(int waitResult, const wxString& errorLabel, const wxString& what);
    void Progress(int sent, int verified);

    Result result_ = Result::Ignored;
    int connectAttempts_ = 0;
};
