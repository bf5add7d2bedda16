// The exchange with the bus bridge and a button-panel module over `comport`: Connect (reset the
// bridge, put the modules into selection mode), Read and Write of the selected module's 20 key
// and LED numbers. GUI-free: the configuration dialog and tqc-cli both drive it and show what it
// reports through the callbacks below. Every call opens the port and closes it again on every path.
#pragma once

#include <functional>
#include <vector>

#include <wx/string.h>

#include "konfig/KonfigRows.h"

class ModuleExchange {
public:
    enum class Result {
        Ignored,   // another exchange was running (a click let through by the pump)
        Ok,
        Failed,    // an answer was missing or wrong; the log says which
        Invalid    // Write only: a field is not a number from 0 to 65535; nothing was sent
    };

    // Text appended to the log; each piece carries its own line ends.
    std::function<void(const wxString&)> log;
    // Empties the log (Connect does, first). May be empty.
    std::function<void()> clearLog;
    // Lets the caller dispatch its events: once after Connect empties the log and before every
    // read of an answer byte. May be empty.
    std::function<void()> pump;
    // Waits the given milliseconds; defaults to wxMilliSleep. The dialog passes one that keeps
    // the window alive, tests one that records the waits.
    std::function<void(int ms)> sleep;
    // The port could not be opened: the platform's error code and the reason in words. The
    // exchange goes on (sends write nothing, reads time out) and fails with its usual texts.
    std::function<void(int code, const wxString& reason)> openFailed;

    ModuleExchange();

    Result Connect();
    // `values` is set only when the prompt and all 80 data bytes arrived.
    Result Read(KonfigValues& values);
    // Checks every field first; with a bad one nothing is sent, the log names each and
    // `problems` (when given) lists them.
    Result Write(const KonfigTexts& fields, std::vector<KonfigFieldProblem>* problems = nullptr);

    // True while any exchange runs (in this process).
    static bool Busy();
    // A field's number: empty (or only blanks) is 0; otherwise decimal digits, blanks around them
    // allowed, value 0 to 65535. False for anything else.
    static bool ParseField(const wxString& text, int* value);
    // Every bad field, row by row, key before LED; `values` holds the numbers when none is bad.
    static std::vector<KonfigFieldProblem> CheckFields(const KonfigTexts& fields, KonfigValues* values);

private:
    bool OpenPort(int baud);
    int ReadAnswer();
    void SendByte(int value);
    void Log(const wxString& text);
    void Pump();
    void Wait(int ms);
    // Names the port when the device went away during the exchange (after the usual texts).
    void ReportLostPort();
    Result ConnectSteps();
    Result ReadSteps(KonfigValues& values);
    Result WriteSteps(const KonfigValues& values);

    bool portOpened_ = false;
    wxString lostReason_;  // why the open port failed, empty while it works
};
