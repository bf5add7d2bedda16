#include "konfig/ModuleExchange.h"

#include <wx/utils.h>

#include "compiler/Data.h"
#include "serial/Comport.h"

namespace {

constexpr int kBridgeBaud = 115200;
constexpr int kModuleBaud = 38400;
constexpr int kPrompt = '>';
constexpr int kDataBytes = 4 * kKonfigRows;  // key hi, key lo, LED hi, LED lo per row
constexpr int kTailBytes = 40;               // rows 21 to 30 of the record, always 0
constexpr size_t kShownFieldChars = 20;

// Set while an exchange runs: the pump lets clicks through, and they must not start another
// exchange on the same port.
bool running = false;

struct RunningGuard {
    RunningGuard() { running = true; }
    ~RunningGuard() { running = false; }
};

const wxString& ModuleSelectedHint() {
    static const wxString text = wxString::FromUTF8("Modul ausgew\xC3\xA4hlt?\n\n");
    return text;
}

bool IsBlank(wxUniChar c) {
    return c == ' ' || c == '\t';
}

}  // namespace

ModuleExchange::ModuleExchange() : sleep([](int ms) { wxMilliSleep(ms); }) {}

bool ModuleExchange::Busy() {
    return running;
}

void ModuleExchange::Log(const wxString& text) {
    if (log)
        log(text);
}

void ModuleExchange::Pump() {
    if (pump)
        pump();
}

void ModuleExchange::Wait(int ms) {
    if (sleep)
        sleep(ms);
}

bool ModuleExchange::OpenPort(int baud) {
    portOpened_ = comport.Open(data.programComport, baud, 8, "N", 1);
    if (!portOpened_ && openFailed)
        openFailed(comport.ErrorCode(), comport.ErrorText());
    return portOpened_;
}

int ModuleExchange::ReadAnswer() {
    Pump();
    const int c = comport.Read();
    // A port that failed to open only times out; one that opened and then failed was pulled.
    if (c < 0 && portOpened_ && comport.Failed() && lostReason_.empty())
        lostReason_ = comport.ErrorText();
    return c;
}

void ModuleExchange::ReportLostPort() {
    if (!lostReason_.empty())
        Log(wxString::Format("Port Fehler: %s ist nicht mehr erreichbar (%s)\n", data.programComport, lostReason_));
}

void ModuleExchange::SendByte(int value) {
    comport.Send(wxString(wxUniChar(value & 0xFF), 1));
}

bool ModuleExchange::ParseField(const wxString& text, int* value) {
    size_t begin = 0, end = text.length();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    long number = 0;
    for (size_t i = begin; i < end; ++i) {
        const wxUniChar c = text[i];
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
        if (number > 65535)
            return false;
    }
    *value = static_cast<int>(number);
    return true;
}

std::vector<KonfigFieldProblem> ModuleExchange::CheckFields(const KonfigTexts& fields, KonfigValues* values) {
    std::vector<KonfigFieldProblem> problems;
    KonfigValues parsed{};
    for (int r = 0; r < kKonfigRows; ++r) {
        if (!ParseField(fields.taster[r], &parsed[r].taster))
            problems.push_back({r + 1, false, fields.taster[r]});
        if (!ParseField(fields.led[r], &parsed[r].led))
            problems.push_back({r + 1, true, fields.led[r]});
    }
    if (problems.empty() && values)
        *values = parsed;
    return problems;
}

ModuleExchange::Result ModuleExchange::Connect() {
    if (running)
        return Result::Ignored;
    RunningGuard guard;
    lostReason_.clear();
    const Result result = ConnectSteps();
    comport.Close();
    ReportLostPort();
    return result;
}

ModuleExchange::Result ModuleExchange::Read(KonfigValues& values) {
    if (running)
        return Result::Ignored;
    RunningGuard guard;
    lostReason_.clear();
    const Result result = ReadSteps(values);
    comport.Close();
    ReportLostPort();
    return result;
}

ModuleExchange::Result ModuleExchange::Write(const KonfigTexts& fields, std::vector<KonfigFieldProblem>* problems) {
    if (running)
        return Result::Ignored;
    RunningGuard guard;
    // A wrong number must never reach the module: check every field before the port is touched.
    KonfigValues values{};
    const std::vector<KonfigFieldProblem> found = CheckFields(fields, &values);
    if (problems)
        *problems = found;
    if (!found.empty()) {
        for (const KonfigFieldProblem& p : found) {
            wxString shown = p.text;
            if (shown.length() > kShownFieldChars)
                shown = shown.Left(kShownFieldChars) + "...";
            Log(wxString::Format("Zeile %d %s: \"%s\" ist keine Zahl von 0 bis 65535\n", p.row,
                                 p.led ? "Led" : "Taster", shown));
        }
        Log("Nichts gesendet\n\n");
        return Result::Invalid;
    }
    lostReason_.clear();
    const Result result = WriteSteps(values);
    comport.Close();
    ReportLostPort();
    return result;
}

ModuleExchange::Result ModuleExchange::ConnectSteps() {
    if (clearLog)
        clearLog();
    Pump();
    // Let the emptied log paint and a port just released by the terminal settle.
    Wait(100);

    OpenPort(kBridgeBaud);
    Log("Reset Modul\n");
    comport.Send(Comport::KonvertHex("(***:BUSW)[03][02][FF][00]"));
    Wait(300);  // the bridge switches its bus before it takes the next request

    Log("warte auf Verbindung\n");
    comport.Send("(***:RSTQ)");
    Wait(300);  // the bridge resets before it answers "OK"
    bool bridge = ReadAnswer() == 'O';
    if (bridge) {
        Wait(100);  // gap between the bridge's two answer bytes
        bridge = ReadAnswer() == 'K';
    }
    if (!bridge) {
        Log("Verbindung Fehler\n");
    } else {
        comport.Close();
        Log(wxString::FromUTF8("TqP-Br\xC3\xBC" "cke OK\n"));

        OpenPort(kModuleBaud);
        comport.Send("(***:CONN)");
        Wait(300);  // the modules enter selection mode before one answers
        if (ReadAnswer() == kPrompt) {
            comport.Close();
            Log("Verbindung OK\n");
            Log(wxString::FromUTF8("\n- Modul(e) blinken\n"));
            Log(wxString::FromUTF8("- Mit Tasterdruck (ca. 1 Sek.) Modul ausw\xC3\xA4hlen\n"));
            Log(wxString::FromUTF8("- Nur 1 Modul ausw\xC3\xA4hlen !\n"));
            Log("- Read / Write sind aktiv\n\n");
            return Result::Ok;
        }
        Log("Verbindung Modul Fehler\n");
    }

    comport.Close();
    Log("\n- Steuerung von der Spannung trennen\n");
    Log("- kurz warten\n");
    Log("- Spannung anlegen\n");
    Log("- innerhalb ca. 2 Sek. auf Connect clicken\n\n");
    return Result::Failed;
}

ModuleExchange::Result ModuleExchange::ReadSteps(KonfigValues& values) {
    OpenPort(kModuleBaud);
    comport.Send("(***:KONR)");
    Wait(300);  // the module prepares its record before it answers
    bool complete = ReadAnswer() == kPrompt;
    // All 80 bytes must arrive before any field changes; numbers from a lost byte would be wrong.
    unsigned char record[kDataBytes];
    for (int i = 0; complete && i < kDataBytes; ++i) {
        const int c = ReadAnswer();
        complete = c >= 0;
        record[i] = static_cast<unsigned char>(c);
    }
    comport.Close();
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
    OpenPort(kModuleBaud);
    comport.Send("(***:KONW)");
    Wait(300);  // the module gets ready to store before it answers
    if (ReadAnswer() != kPrompt) {
        comport.Close();
        Log("Fehler beim schreiben\n");
        Log(ModuleSelectedHint());
        return Result::Failed;
    }
    Wait(100);  // gap between the module's prompt and the record
    for (const KonfigPair& pair : values) {
        for (int number : {pair.taster, pair.led}) {
            SendByte(number / 256);
            SendByte(number % 256);
        }
    }
    for (int i = 0; i < kTailBytes; ++i)
        SendByte(0);
    Wait(1000);  // the module stores the record before it confirms
    const int c = ReadAnswer();
    comport.Close();
    if (c != kPrompt) {
        Log("Fehler beim schreiben\n");
        return Result::Failed;
    }
    Log("schreiben OK\n\n");
    return Result::Ok;
}
