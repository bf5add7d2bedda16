// The exchange with the bus bridge and a button-panel module over `comport`: Connect (reset the
// bridge, put the modules into selection mode), Read and Write of the selected module's 20 key
// and LED numbers. GUI-free: the configuration dialog and tqc-cli both drive it and show what it
// reports through the session's callbacks. Every call opens the port and closes it again on every path.
#pragma once

#include <vector>

#include "konfig/KonfigRows.h"
#include "serial/SerialSession.h"

// The session's clearLog is called by Connect, first; its pump once after that and before every
// read of an answer byte. `label` is not used. Stale input is dropped before every request.
class ModuleExchange : public SerialSession {
public:
    enum class Result {
        Ignored,  // another exchange was running (a click let through by the pump)
        Ok,
        Failed,   // an answer was missing or wrong; the log says which
        Invalid,  // Write only: a field is not a number from 0 to 65535; nothing was sent
        Stopped   // the stop flag went to 0 during a wait; nothing more was sent
    };

    // Talks over `port`. `stopFlag`, when given, is read after every wait and answer: 0 ends the exchange.
    explicit ModuleExchange(const wxString& port, const int* stopFlag = nullptr);

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
    // Sleep(ms), then whether the exchange may go on.
    bool Wait(int ms);
    bool Stopped() const;
    // Closes the port after the steps, and names it in the log when it was lost on the way.
    Result Finish(Result result);
    Result ConnectSteps();
    Result ReadSteps(KonfigValues& values);
    Result WriteSteps(const KonfigValues& values);

    const int* stopFlag_;
};
