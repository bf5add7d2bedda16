// Sends a compiled image to the controller's loader over `comport` and reads it back for
// verification. GUI-free: the program dialog and tqc-cli both drive it, each with its own port,
// image and stop flag, and show what it reports through the session's callbacks and `progress`.
#pragma once

#include <functional>

#include <wx/string.h>

#include "serial/SerialSession.h"

class ProgramTransfer : public SerialSession {
public:
    // The image as the compiler left it: `count` program bytes at the start of `cells`, which
    // holds `capacity` cells; the cells after `count` fill up the last block.
    struct Image {
        const int* cells;
        int capacity;
        int count;
    };
    enum class Result {
        Ignored,     // the stop flag was 1: a transfer runs or the last one failed
        Ok,          // image sent and verified
        Stopped,     // the user set the stop flag to 0 during the connection loop
        Failed,      // wrong answer, none within answerTimeoutMs, or a stop in a wait; the label names the phase
        PortFailed,  // the device vanished while in use
        TooLarge     // the image exceeds the program memory: nothing was sent
    };

    // Cells sent (up to total), cells verified, the image's count. May be empty.
    std::function<void(int sent, int verified, int total)> progress;
    // The phase in words: "Warte auf Steuerung" (percent -1), then "Übertrage 37 %" and
    // "Prüfe 80 %" with the time left once it can be told; called when the percentage changes.
    std::function<void(const wxString& text, int percent)> phase;
    // Once the loader has answered, a wait for its next byte ends the transfer after this long.
    int answerTimeoutMs = 10000;

    // The line logged after the first block: the time per byte and the whole transfer's
    // expected time; above 4 ms per byte and with `adapterHint` (Windows), how to shorten it.
    static wxString LatencyText(double msPerByte, double expectedSeconds, bool adapterHint);

    // `stopFlag` is 1 while a transfer runs and after one failed, 0 when idle or when the user
    // asked to stop: Run() sets it, the caller's Stop sets it to 0, and every wait reads it. A
    // port that cannot be opened is reported through openFailed; the connection loop runs on
    // until stopped.
    ProgramTransfer(const wxString& port, const Image& image, int& stopFlag);

    // Runs one whole transfer; true after "OK". Ends with the port closed in every case except
    // the re-entry guard, which leaves everything untouched.
    bool Run();
    Result LastResult() const { return result_; }
    // "(***:PROG)" requests sent by the last run.
    int ConnectAttempts() const { return connectAttempts_; }

private:
    // The waits that can fail after the loader answered, each with its label and words.
    enum class Wait { Length, Byte, BlockEnd, DataEnd, ReadBack };

    // The phases of Run(), in order; each returns false once the transfer has ended, with
    // result_ telling how.
    bool Begin();
    bool Connect();
    bool SendLength();
    bool SendBlocks();
    bool Verify();
    bool Succeed();

    // The cell sent as byte i: past the image's cells it counts as 0.
    int Cell(int i) const;
    // 1 when `expected` came, -1 for another byte or a stop, kPortGone, kTimedOut.
    int WaitForChar(int expected);
    // WaitForChar(expected); on any other outcome fails with `wait`'s texts for byte `index`.
    bool Expect(int expected, Wait wait, int index = 0);
    // The loader's answer to a request, read as the connection loop does: reads on while bytes
    // come, so that no noise is left for the next read; the prompt, -1 when the line went quiet
    // without it (or stop was asked while it kept talking), or kPortGone.
    int ReadForPrompt();
    // The round trips the whole exchange takes for the current image.
    int RoundTrips() const;
    void ShowPhase(const wxString& word, int done, int total);
    // The user stopped the connection loop: the port closes.
    bool EndStopped();
    // `what` says in words what went wrong, for the log.
    bool Fail(int waitResult, const wxString& errorLabel, const wxString& what);
    void Progress(int sent, int verified);

    const Image image_;
    int& stop_;
    Result result_ = Result::Ignored;
    int connectAttempts_ = 0;
    // Round trips since the length went out, and when it did; they give the time left.
    int trips_ = 0;
    double started_ = 0;
    int shownPercent_ = -2;
    wxString shownWord_;
};
