#include "konfig/ModuleExchange.h"

#include "serial/Comport.h"
#include "serial/DeviceProtocol.h"

namespace {

using namespace protocol;

constexpr int kDataBytes = 4 * kKonfigRows;  // key hi, key lo, LED hi, LED lo per row
static_assert(kDataBytes == kModuleReadBytes, "a read carries the rows the dialog shows");
constexpr int kTailBytes = kModuleRecordBytes - kDataBytes;  // rows 21 to 30, always 0
constexpr size_t kShownFieldChars = 20;

// Set while an exchange runs: the pump lets clicks through, and they must not start another
// exchange on the same port.
bool running = false;

struct RunningGuard {
    RunningGuard() { running = true; }
    ~RunningGuard() { running = false; }
};

const wxString& ModuleSelectedHint() {
    static const wxString text = wxString::FromUTF8("Modul ausgewählt?\n\n");
    return text;
}

bool IsBlank(wxUniChar c) { return c == ' ' || c == '\t'; }

}  // namespace

ModuleExchange::ModuleExchange(const wxString& port, const int* stopFlag)
    : SerialSession(port, stopFlag), stopFlag_(stopFlag) {}

bool ModuleExchange::Wait(int ms) {
    Sleep(ms);
    return !Stopped();
}

bool ModuleExchange::Stopped() const { return stopFlag_ && *stopFlag_ == 0; }

bool ModuleExchange::Busy() { return running; }

bool ModuleExchange::ParseField(const wxString& text, int* value) {
    size_t begin = 0, end = text.length();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    long number = 0;
    for (size_t i = begin; i < end; ++i) {
        const wxUniChar c = text[i];
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
        if (number > 65535) return false;
    }
    *value = static_cast<int>(number);
    return true;
}

std::vector<KonfigFieldProblem> ModuleExchange::CheckFields(const KonfigTexts& fields, KonfigValues* values) {
    std::vector<KonfigFieldProblem> problems;
    KonfigValues parsed{};
    for (int r = 0; r < kKonfigRows; ++r) {
        if (!ParseField(fields.taster[r], &parsed[r].taster)) problems.push_back({r + 1, false, fields.taster[r]});
        if (!ParseField(fields.led[r], &parsed[r].led)) problems.push_back({r + 1, true, fields.led[r]});
    }
    if (problems.empty() && values) *values = parsed;
    return problems;
}

ModuleExchange::Result ModuleExchange::Finish(Result result) {
    Close();
    ReportLostPort();
    return result;
}

ModuleExchange::Result ModuleExchange::Connect() {
    if (running) return Result::Ignored;
    RunningGuard guard;
    return NoPortChosen() ? Result::Failed : Finish(ConnectSteps());
}

ModuleExchange::Result ModuleExchange::Read(KonfigValues& values) {
    if (running) return Result::Ignored;
    RunningGuard guard;
    return NoPortChosen() ? Result::Failed : Finish(ReadSteps(values));
}

ModuleExchange::Result ModuleExchange::Write(const KonfigTexts& fields, std::vector<KonfigFieldProblem>* problems) {
    if (running) return Result::Ignored;
    RunningGuard guard;
    // A wrong number must never reach the module: check every field before the port is touched.
    KonfigValues values{};
    const std::vector<KonfigFieldProblem> found = CheckFields(fields, &values);
    if (problems) *problems = found;
    if (!found.empty()) {
        for (const KonfigFieldProblem& p : found) {
            wxString shown = p.text;
            if (shown.length() > kShownFieldChars) shown = shown.Left(kShownFieldChars) + "...";
            Log(wxString::Format("Zeile %d %s: \"%s\" ist keine Zahl von 0 bis 65535\n", p.row,
                                 p.led ? "Led" : "Taster", shown));
        }
        Log("Nichts gesendet\n\n");
        return Result::Invalid;
    }
    return NoPortChosen() ? Result::Failed : Finish(WriteSteps(values));
}

ModuleExchange::Result ModuleExchange::ConnectSteps() {
    Settle();
    Open(kBridgeBaud);
    Log("Reset Modul\n");
    Send(Comport::KonvertHex(wxString(kBusSwitch) + kBusSettings));
    if (!Wait(300))  // the bridge switches its bus before it takes the next request
        return Result::Stopped;

    Log("warte auf Verbindung\n");
    Discard();
    Send(kBridgeReset);
    if (!Wait(300))  // the bridge resets before it answers "OK"
        return Result::Stopped;
    bool bridge = PollByte() == kBridgeOk[0];
    if (bridge) {
        if (!Wait(100))  // gap between the bridge's two answer bytes
            return Result::Stopped;
        bridge = PollByte() == kBridgeOk[1];
    }
    if (Stopped()) return Result::Stopped;
    if (!bridge) {
        Log("Verbindung Fehler\n");
    } else {
        Close();
        Log(wxString::FromUTF8("TqP-Brücke OK\n"));

        Open(kModuleBaud);
        Send(kModuleConnect);
        if (!Wait(300))  // the modules enter selection mode before one answers
            return Result::Stopped;
        const int answer = PollByte();
        if (Stopped()) return Result::Stopped;
        if (answer == kPrompt) {
            Close();
            Log("Verbindung OK\n");
            Log(wxString::FromUTF8("\n- Modul(e) blinken\n"));
            Log(wxString::FromUTF8("- Mit Tasterdruck (ca. 1 Sek.) Modul auswählen\n"));
            Log(wxString::FromUTF8("- Nur 1 Modul auswählen !\n"));
            Log("- Read / Write sind aktiv\n\n");
            return Result::Ok;
        }
        Log("Verbindung Modul Fehler\n");
    }

    Close();
    Log("\n- Steuerung von der Spannung trennen\n");
    Log("- kurz warten\n");
    Log("- Spannung anlegen\n");
    Log(advice.reconnect);
    return Result::Failed;
}

ModuleExchange::Result ModuleExchange::ReadSteps(KonfigValues& values) {
    Open(kModuleBaud);
    Send(kModuleRead);
    if (!Wait(300))  // the module prepares its record before it answers
        return Result::Stopped;
    bool complete = PollByte() == kPrompt;
    // All 80 bytes must arrive before any field changes; numbers from a lost byte would be wrong.
    unsigned char record[kDataBytes];
    for (int i = 0; complete && i < kDataBytes && !Stopped(); ++i) {
        const int c = PollByte();
        complete = c >= 0;
        record[i] = static_cast<unsigned char>(c);
    }
    // A byte after the record means it began earlier than the prompt said: every number would be
    // shifted by it.
    const bool surplus = complete && !Stopped() && PollByte() >= 0;
    Close();
    if (Stopped()) return Result::Stopped;
    if (surplus) {
        Log("Fehler beim lesen\n");
        Log(
            wxString::FromUTF8("Das Modul hat mehr als 80 Bytes gesendet, die Zahlen wären verschoben; "
                               "die Felder bleiben unverändert. Bitte erneut lesen.\n\n"));
        return Result::Failed;
    }
    if (!complete) {
        Log("Fehler beim lesen\n");
        Log(ModuleSelectedHint());
        return Result::Failed;
    }
    values = KonfigFromRecord(record);
    Log("Lesen OK\n\n");
    return Result::Ok;
}

ModuleExchange::Result ModuleExchange::WriteSteps(const KonfigValues& values) {
    Open(kModuleBaud);
    Send(kModuleWrite);
    if (!Wait(300))  // the module gets ready to store before it answers
        return Result::Stopped;
    const int prompt = PollByte();
    if (Stopped()) return Result::Stopped;
    if (prompt != kPrompt) {
        Close();
        Log("Fehler beim schreiben\n");
        Log(ModuleSelectedHint());
        return Result::Failed;
    }
    if (!Wait(100))  // gap between the module's prompt and the record
        return Result::Stopped;
    for (const KonfigPair& pair : values) {
        for (int number : {pair.taster, pair.led}) {
            SendByte(number / 256);
            SendByte(number % 256);
        }
    }
    for (int i = 0; i < kTailBytes; ++i) SendByte(0);
    if (!Wait(1000))  // the module stores the record before it confirms
        return Result::Stopped;
    const int c = PollByte();
    Close();
    if (c != kPrompt) {
        Log("Fehler beim schreiben\n");
        return Result::Failed;
    }
    Log("schreiben OK\n\n");
    return Result::Ok;
}
