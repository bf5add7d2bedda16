// The module configuration exchange against the simulated bus bridge and module on a
// pseudo-terminal: every byte on the line and the speed it was sent at, the log texts with the
// waits between them, the failure paths, the field checks and the port closed after every call.
#include "../support/SimSupport.h"
#include "konfig/ModuleExchange.h"

namespace {

using namespace simtest;
using Result = ModuleExchange::Result;
using Rows = std::vector<std::pair<int, int>>;  // {key, LED} per row
using Fields = std::vector<std::pair<const char*, const char*>>;

const std::string kConnectStart = "[clear][wait 100]Reset Modul\n[wait 300]warte auf Verbindung\n[wait 300]";
const std::string kBridgeOk = "[wait 100]TqP-Br\xC3\xBC" "cke OK\n[wait 300]";
const std::string kPowerCycle = "\n- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n"
                                "- innerhalb ca. 2 Sek. auf Connect clicken\n\n";
const std::string kSelected = "Modul ausgew\xC3\xA4hlt?\n\n";
const std::string kWritten = "[wait 300][wait 100][wait 1000]";

// The rows as the line carries them: 4 bytes per row, key then LED, each high byte first.
Bytes Packed(const Rows& rows) {
    Bytes bytes;
    for (const auto& row : rows)
        for (int n : {row.first, row.second}) bytes.insert(bytes.end(), {static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n)});
    return bytes;
}

// Rows 1 to 20 with key 1000 + r*257 and LED r: the high bytes differ from the low ones, so a
// swap shows; row 1 as a module numbered 19 / 18 sends it, row 20 with both bytes at their top.
Rows SampleRows() {
    Rows rows{{19, 18}};
    for (int r = 2; r < 20; ++r) rows.emplace_back(1000 + r * 257, r);
    rows.emplace_back(65535, 0x8001);
    return rows;
}

// "(***:KONW)", then 4 bytes per given row (rows not given 0), then 40 zero bytes.
std::string WriteLine(Rows rows) {
    rows.resize(20, {0, 0});
    const Bytes record = Packed(rows);
    return "(***:KONW)" + std::string(record.begin(), record.end()) + std::string(40, '\0');
}

// The requests in `line`, each with the speed it goes out at: the bridge's 115200, the module's 38400.
std::vector<std::string> Requests(const std::string& line) {
    std::vector<std::string> requests;
    for (size_t at = line.find("(***:"); at != std::string::npos; at = line.find("(***:", at + 10)) {
        const std::string request = line.substr(at, 10);
        requests.push_back(request + (request == "(***:BUSW)" || request == "(***:RSTQ)" ? "@115200" : "@38400"));
    }
    return requests;
}

class KonfigExchange : public SimTest {
protected:
    // A simulator with `options` and the sample record, and an exchange that reports to rec_.
    ModuleExchange& Exchange(Sim::Options options = {}) {
        options.moduleRecord = Packed(SampleRows());
        StartSim(options);
        x_ = ModuleExchange();
        rec_.Wire(x_);
        return x_;
    }
    // The bytes on the line are `expected`, each request at its speed, and the port is closed.
    void ExpectLine(const std::string& expected) {
        EXPECT_EQ(Hex(ReceivedWhenIn(expected.size())), Hex(ToBytes(expected)));
        EXPECT_EQ(sim_->RequestLog(), Requests(expected));
        EXPECT_FALSE(comport.IsOpen());
    }
    ModuleExchange x_;
};

const std::string kBridge = std::string("(***:BUSW)\x03\x02\xFF\0", 14) + "(***:RSTQ)";

// Every call of the exchange: its result, its texts with the waits between them, every byte on
// the line and the speed it went out at. Connect resets the bridge, then selects the module at
// the module's speed, and a failure on the way ends with the power-cycle advice. Read takes the
// twenty rows from the eighty bytes, or, without the prompt or with any byte missing, leaves the
// values as they were. Write sends the record and stores it once the module confirms; a field
// that is not a number from 0 to 65535 is named and nothing is sent. An adapter pulled at pump
// `pull` while the module's answer is awaited gives the usual texts, then a line that names the
// port and the reason. A click that the pump lets through starts no second exchange.
TEST_F(KonfigExchange, EveryCallWithItsTextsAndBytes) {
    enum Call { kConnect, kRead, kWrite };
    struct Row { int line; Call call; Sim::Options options; Fields fields; Result result; std::string events, bytes; int pull = 0; };
    const std::string noBridge = "Verbindung Fehler\n" + kPowerCycle, noModule = kBridgeOk + "Verbindung Modul Fehler\n" + kPowerCycle;
    const std::string readFailed = "[wait 300]Fehler beim lesen\n" + kSelected, refused = "[wait 300]Fehler beim schreiben\n" + kSelected;
    const std::string written = kWritten + "schreiben OK\n\n", unconfirmed = kWritten + "Fehler beim schreiben\n";
    const std::string notANumber = "\" ist keine Zahl von 0 bis 65535\n", bad = notANumber + "Nichts gesendet\n\n", kConn = "(***:CONN)";
    std::vector<Row> rows = {
        {__LINE__, kConnect, {}, {}, Result::Ok, kConnectStart + kBridgeOk + "Verbindung OK\n\n- Modul(e) blinken\n- Mit "
            "Tasterdruck (ca. 1 Sek.) Modul ausw\xC3\xA4hlen\n- Nur 1 Modul ausw\xC3\xA4hlen !\n- Read / Write sind aktiv\n\n", kBridge + kConn},
        {__LINE__, kConnect, Fault(P::BridgeO, 0, true), {}, Result::Failed, kConnectStart + noBridge, kBridge},  // no bridge
        {__LINE__, kConnect, Fault(P::BridgeO), {}, Result::Failed, kConnectStart + noBridge, kBridge},
        {__LINE__, kConnect, Fault(P::BridgeK, 0, true), {}, Result::Failed, kConnectStart + "[wait 100]" + noBridge, kBridge},
        {__LINE__, kConnect, Fault(P::BridgeK), {}, Result::Failed, kConnectStart + "[wait 100]" + noBridge, kBridge},
        {__LINE__, kConnect, Fault(P::ModuleConnect, 0, true), {}, Result::Failed, kConnectStart + noModule, kBridge + kConn},
        {__LINE__, kConnect, Fault(P::ModuleConnect), {}, Result::Failed, kConnectStart + noModule, kBridge + kConn},
        {__LINE__, kRead, {}, {}, Result::Ok, "[wait 300]Lesen OK\n\n", "(***:KONR)"},
        {__LINE__, kRead, Fault(P::ReadPrompt, 0, true), {}, Result::Failed, readFailed, "(***:KONR)"},  // no module selected
        {__LINE__, kRead, Fault(P::ReadPrompt), {}, Result::Failed, readFailed, "(***:KONR)"},  // something else answers
        {__LINE__, kRead, Fault(P::ReadData, 0, true), {}, Result::Failed, readFailed, "(***:KONR)"},  // the prompt, then nothing
        {__LINE__, kRead, Fault(P::ReadData, 79, true), {}, Result::Failed, readFailed, "(***:KONR)"},  // one byte short
        {__LINE__, kWrite, {}, {{"300", "5"}}, Result::Ok, written, WriteLine({{300, 5}})},
        {__LINE__, kWrite, {}, {{"", ""}, {"", "1"}}, Result::Ok, written, WriteLine({{0, 0}, {0, 1}})},  // empty is 0
        {__LINE__, kWrite, {}, {{" 42 ", "007"}, {"65535", "256"}, {"13", "10"}}, Result::Ok, written,
         WriteLine({{42, 7}, {65535, 256}, {13, 10}})},
        {__LINE__, kWrite, {}, Fields(20, {"0", "0"}), Result::Ok, written, WriteLine({})},  // Clear: all zero
        {__LINE__, kWrite, Fault(P::WritePrompt, 0, true), {{"1", "2"}}, Result::Failed, refused, "(***:KONW)"},
        {__LINE__, kWrite, Fault(P::WritePrompt), {{"1", "2"}}, Result::Failed, refused, "(***:KONW)"},
        {__LINE__, kWrite, Fault(P::WriteEnd, 0, true), {{"1", "2"}}, Result::Failed, unconfirmed, WriteLine({{1, 2}})},
        {__LINE__, kWrite, Fault(P::WriteEnd), {{"1", "2"}}, Result::Failed, unconfirmed, WriteLine({{1, 2}})},
        // A few bytes, then a dead line.
        {__LINE__, kConnect, Fault(P::ReadData, 10, true), {}, Result::Failed, kConnectStart + noModule, kBridge + kConn, 4},
        {__LINE__, kRead, Fault(P::ReadData, 10, true), {}, Result::Failed, readFailed, "(***:KONR)", 2},
    };
    // Each would have gone out as a wrong or truncated number.
    for (const char* led : {"abc", "-1", "65536", "1.5", "12a", "+5", "4294967296", "1 2", "\xC2\xB3"}) {
        Fields seven(6, {"", ""});  // rows 1 to 6 empty (0), the LED of row 7 bad
        seven.emplace_back("", led);
        rows.push_back({__LINE__, kWrite, {}, seven, Result::Invalid, std::string("Zeile 7 Led: \"") + led + bad, ""});
    }
    // Every bad field row by row, the key before the LED; one too long to show whole is cut.
    const std::string nines(40, '9');
    Fields many(20, {"", ""});
    many[0] = {"x", "y"};
    many[19].first = nines.c_str();
    rows.push_back({__LINE__, kWrite, {}, many, Result::Invalid, "Zeile 1 Taster: \"x" + notANumber + "Zeile 1 Led: \"y" + notANumber +
                    "Zeile 20 Taster: \"99999999999999999999..." + bad, ""});
    const Bytes sample = ToBytes(WriteLine(SampleRows()).substr(10));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        ModuleExchange& exchange = Exchange(row.options);
        KonfigTexts fields;
        for (size_t r = 0; r < row.fields.size(); ++r) {
            fields.taster[r] = wxString::FromUTF8(row.fields[r].first);
            fields.led[r] = wxString::FromUTF8(row.fields[r].second);
        }
        KonfigValues values{};
        values.fill({7, 8});
        std::vector<Result> nested;
        rec_.onPump = [&] {
            ModuleExchange second;  // what the dialog's buttons would do
            KonfigValues ignored{};
            nested.insert(nested.end(), {second.Connect(), second.Read(ignored), second.Write(KonfigTexts())});
            EXPECT_TRUE(ModuleExchange::Busy());
            if (rec_.pumps != row.pull) return;
            ReceivedWhenIn(row.bytes.size());  // what goes out before the pull is on the line
            sim_->Vanish();
        };
        EXPECT_EQ(row.call == kConnect ? exchange.Connect() : row.call == kRead ? exchange.Read(values) : exchange.Write(fields),
                  row.result);
        EXPECT_FALSE(ModuleExchange::Busy());
        EXPECT_EQ(nested, std::vector<Result>(nested.size(), Result::Ignored));
        EXPECT_TRUE(nested.size() >= 3 || row.result == Result::Invalid);
        if (row.pull) ExpectLostPort(rec_.events, row.events); else EXPECT_EQ(rec_.events, row.events);
        ExpectLine(row.bytes);
        Rows got;
        for (const KonfigPair& pair : values) got.emplace_back(pair.taster, pair.led);
        EXPECT_EQ(got, row.call == kRead && row.result == Result::Ok ? SampleRows() : Rows(20, {7, 8}));
        const bool stored = row.call == kWrite && row.result == Result::Ok;
        EXPECT_EQ(Hex(sim_->ModuleRecord()), Hex(stored ? ToBytes(row.bytes.substr(10)) : sample));
    }
}

}  // namespace
