// Program transfer and module configuration exchange against the simulated loader, bus bridge
// and module on a pseudo-terminal: every byte on the line and the speed it went at, the labels,
// log texts and waits, the stop and failure paths, the lost port, the field checks and the guards
// against a second exchange.
#include "../support/PtyMaster.h"
#include "compiler/Data.h"
#include "dialogs/ProgramTransfer.h"
#include "konfig/ModuleExchange.h"
#include "serial/Comport.h"
#include "serial/SimulatedController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
using Sim = SimulatedController;
using P = Sim::Phase;

std::string Utf8(const wxString& s) { return std::string(s.utf8_str()); }
Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }
std::string Hex(const Bytes& bytes) {
    std::string out;
    for (unsigned char b : bytes) out += wxString::Format("%02X ", b).ToStdString();
    return out;
}

// A simulator that goes wrong at `phase` (at byte or block `index` where the phase counts them):
// silent when `mute`, else answering a wrong byte.
Sim::Options Fault(P phase, int index = 0, bool mute = false) {
    Sim::Options options;
    options.faultPhase = phase;
    options.faultIndex = index;
    options.faultMute = mute;
    return options;
}

// `events` is `before`, then the one line that names the lost port and the reason in parentheses.
void ExpectLostPort(const std::string& events, const std::string& before) {
    const std::string head = before + "Port Fehler: " + Utf8(data.programComport) + " ist nicht mehr erreichbar (";
    ASSERT_EQ(events.substr(0, head.size()), head);
    const std::string reason = events.substr(head.size());
    EXPECT_TRUE(reason.size() > 2 && reason.find('\n') == reason.size() - 1 && reason.find(")\n") == reason.size() - 2)
        << events;
}

// Everything a session reports: log texts, waits ("[wait N]") and the emptied log ("[clear]") in
// order in `events`; labels with runs of "W: n" / "R: n" that count up by one as "W: 0-127".
struct Recorder {
    std::string events, openReports;
    std::vector<std::string> labels;
    int pumps = 0, lastNumber = -1;
    std::function<void()> onPump;

    void Label(const std::string& s) {
        const std::string kind = s.substr(0, 3);
        const int n = kind == "W: " || kind == "R: " ? std::stoi(s.substr(3)) : -1;
        if (n >= 0 && !labels.empty() && labels.back().rfind(kind, 0) == 0 && n == lastNumber + 1)
            labels.back() = labels.back().substr(0, labels.back().find('-')) + "-" + std::to_string(n);
        else
            labels.push_back(s);
        lastNumber = n;
    }
    std::string Labels() const {
        std::string all;
        for (const std::string& label : labels) all += (all.empty() ? "" : "|") + label;
        return all;
    }
    std::string LastLabel() const { return labels.empty() ? "" : labels.back(); }
    void Wire(SerialSession& s) {
        s.label = [this](const wxString& text) { Label(Utf8(text)); };
        s.log = [this](const wxString& text) { events += Utf8(text); };
        s.clearLog = [this] { events += "[clear]"; };
        s.sleep = [this](int ms) { events += "[wait " + std::to_string(ms) + "]"; };
        s.pump = [this] {
            ++pumps;
            if (onPump) onPump();
        };
        s.openFailed = [this](int code, const wxString& why) { openReports += std::to_string(code) + " " + Utf8(why); };
    }
};

// Each test starts with the port closed and the stop flag at 0, and leaves them so.
class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::alarm(30);  // an exchange that misses a stop or a failure waits for ever: end the binary
        comport.Close();
        gl_iProgramStop = 0;
    }
    void TearDown() override {
        ::alarm(0);
        comport.Close();
        gl_iProgramStop = 0;
        data.programComport = savedPort_;
    }
    // A simulator with `options` as data.programComport, an empty recorder, the stop flag at 0.
    void StartSim(const Sim::Options& options = {}) {
        gl_iProgramStop = 0;
        sim_.reset();
        sim_ = std::make_unique<Sim>(options);
        EXPECT_TRUE(sim_->Start()) << Utf8(sim_->ErrorText());
        data.programComport = sim_->SlavePath();
        rec_ = Recorder();
    }
    // What the devices received once `count` bytes are in (at most 2 s), and 20 ms more so that
    // bytes beyond them would show.
    Bytes ReceivedWhenIn(size_t count) const {
        for (int i = 0; i < 400 && sim_->Received().size() < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return sim_->Received();
    }

    std::unique_ptr<Sim> sim_;
    Recorder rec_;
    wxString savedPort_ = data.programComport;
};

// ---- the program transfer ----

const std::string kPowerCycle = "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n";
const std::string kOk = "Programmierung OK\n[wait 800]";

// The texts that attempt `a` adds while the loader stays silent.
std::string Hint(int a) {
    if (a == 5 || a == 30) return kPowerCycle;
    if (a == 20) return "TqP-Port zum programmieren nutzen\nRichtiger Comport gew\xC3\xA4hlt ?\n\n";
    return a == 50 ? "Stop/Clear oder Close zum abbrechen\n" : "";
}

// The log and waits up to request `attempts`, of which the first `missed` went unanswered.
std::string ConnectEvents(int attempts, int missed = 0) {
    std::string events = "[clear][wait 100]Programmiervorgang Start\nwarten auf Verbindung\n\n";
    for (int a = 1; a <= attempts; ++a) events += Hint(a) + (a <= missed ? "[wait 200][wait 200]" : "");
    return events;
}

// Every low byte turns up, including the ones a cooked line would eat (0x03, 0x0D, 0x11, 0x13),
// in cells that also carry high bits or are negative: only the low byte goes on the line. The
// cells after outputCount fill the last block, so they get the pattern as well.
void FillImage(int count) {
    for (int i = 0; i < kImageCells; ++i) data.outputValue[i] = ((i * 37 + i / 256 + 5) & 0xFF) + (i % 3 - 1) * 256;
    data.outputCount = count;
}

int Blocks(int count) { return count == 0 ? 1 : (count + 127) / 128; }

// What the loader must receive for the current image when it ignores the first `ignored` requests.
Bytes ExpectedLine(int ignored = 0) {
    const int count = data.outputCount;
    std::string line;
    for (int r = 0; r <= ignored; ++r) line += "(***:PROG)";
    line += {static_cast<char>(count / 256), static_cast<char>(count % 256)};
    for (int b = 0; b < Blocks(count); ++b) {
        for (int k = 0; k < 128; ++k) line += static_cast<char>(data.outputValue[b * 128 + k]);
        line += b + 1 < Blocks(count) ? 'N' : 'E';
    }
    return ToBytes(line + std::string(count, '?'));
}

Sim::Options Silent(int requests, const std::string& noise = "", const std::string& prefix = "") {
    Sim::Options o;
    o.silentRequests = requests;
    o.silentReply = noise;
    o.connectPrefix = prefix;
    return o;
}

class TransferTest : public SimTest {
protected:
    using Result = ProgramTransfer::Result;
    // A loader with `o`, an image of `count` cells and a transfer that reports to rec_.
    void Start(int count, const Sim::Options& o = {}) {
        FillImage(count);
        StartSim(o);
        t_ = ProgramTransfer();
        rec_.Wire(t_);
        t_.progress = [this](int s, int v, int n) { progress_.push_back({s, v, n}); };
        progress_.clear();
    }
    ProgramTransfer t_;
    std::vector<std::vector<int>> progress_;
};

// Images of every size are sent and verified. The loader's ">" may come at any of the three reads
// of an attempt; bytes before it are line noise and dropped. A request the loader ignores (silent
// or with noise) is repeated after the third read. Each read after a miss follows a 200 ms pause
// and shows "wait" or "----". Texts tell the user what to do at attempts 5, 20, 30 and 50. While
// a transfer runs the flag is 1: a click that comes through its pump does nothing at all.
TEST_F(TransferTest, SendsAndVerifiesOnceTheLoaderAnswers) {
    const struct { int line, count; Sim::Options options; } rows[] = {
        {__LINE__, 0, {}}, {__LINE__, 1, {}}, {__LINE__, 127, {}}, {__LINE__, 128, {}}, {__LINE__, 129, {}}, {__LINE__, 32000, {}},
        {__LINE__, 2, Silent(0, "", "x")},
        {__LINE__, 2, Silent(0, "", std::string("\0<", 2))},
        {__LINE__, 2, Silent(2)},  // the reads wait out their time-out
        {__LINE__, 2, Silent(120, std::string("\x01\0<", 3))},  // noise, so that no read waits out its time-out
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const int count = row.count, ignored = row.options.silentRequests, written = Blocks(count) * 128;
        Start(count, row.options);
        rec_.onPump = [] {
            ProgramTransfer nested;
            EXPECT_TRUE(!nested.Run() && nested.LastResult() == Result::Ignored);
        };
        ASSERT_TRUE(t_.Run());
        EXPECT_GT(rec_.pumps, count);  // the window answers while the image is read back
        EXPECT_EQ(t_.LastResult(), Result::Ok);
        EXPECT_EQ(t_.ConnectAttempts(), ignored + 1);
        EXPECT_TRUE(sim_->Received() == ExpectedLine(ignored)) << "bytes on the line differ";
        std::string labels, waits;
        for (size_t miss = 0; miss < 2 * ignored + row.options.connectPrefix.size(); ++miss) labels += miss % 2 ? "----|" : "wait|";
        for (size_t miss = 0; miss < row.options.connectPrefix.size(); ++miss) waits += "[wait 200]";
        const std::string reads = count == 0 ? "" : "R: 0" + (count > 1 ? "-" + std::to_string(count - 1) : "") + "|";
        EXPECT_EQ(rec_.Labels(), labels + "H-Byte|L-Byte|W: 0-" + std::to_string(written - 1) + "|" + reads + "OK");
        EXPECT_EQ(rec_.events, ConnectEvents(ignored + 1, ignored) + waits + kOk);
        ASSERT_EQ(progress_.size(), static_cast<size_t>(written + count));
        EXPECT_EQ(progress_.back(), (std::vector<int>{count, count, count}));
        EXPECT_EQ(progress_[written - 1], (std::vector<int>{count, 0, count}));  // sent never beyond the image
        EXPECT_EQ(gl_iProgramStop, 0);
        EXPECT_FALSE(comport.IsOpen());
    }
}

const std::string kRetry = "Stop/Clear klicken, die Steuerung kurz von der Spannung trennen und erneut Program klicken.\n";

// A wrong answer: the label, what went wrong in words and what to do.
std::string Wrong(const std::string& label, const std::string& what) {
    return ConnectEvents(1) + label + ": " + what + ".\n" + kRetry;
}

// Every way a transfer ends early. A wrong answer of the loader leaves the stop flag at 1 (failed
// until Stop/Clear). Stop/Clear or a pulled adapter come at pump `at`, or at the `at`-th pump
// after label `after`: the connection loop checks the flag after each request and between the
// reads, a wait pumps once per 60 ms read. A port that cannot be opened is reported once and the
// loop runs until stopped. Each ends at once with its label and texts, the port closed, and
// nothing more goes on the line. Two length bytes cannot carry an image beyond the program
// memory: it is refused before the port is opened.
TEST_F(TransferTest, EveryEarlyEndGivesItsLabelAndText) {
    enum Act { kNone, kStop, kStopWithoutPort, kPull, kTooLarge };
    struct Row { int line; Sim::Options options; Act act; int at; std::string after; Result result; std::string labels, events;
                 size_t lineBytes; int pumpsAfter; };
    const size_t kUnchecked = ~size_t(0), head = 10 + 2;  // the request and the length; then data, N/E and "?"
    const std::string loop = "wait|----|wait|----|wait|----|wait|----|wait|----", stopped = "Programmierung abgebrochen\n";
    const Sim::Options noise = Silent(1000, "xyz");
    const Row rows[] = {
        {__LINE__, Fault(P::HighByte), kNone, 0, "", Result::Failed, "H-Byte|Err H-Byte",
         Wrong("Err H-Byte", "die Steuerung hat die Programml\xc3\xa4nge nicht best\xc3\xa4tigt"), head - 1, -1},
        {__LINE__, Fault(P::BeforeByte, 0), kNone, 0, "", Result::Failed, "H-Byte|L-Byte|Err B: 0",
         Wrong("Err B: 0", "die Steuerung hat Byte 0 nicht angefordert"), head, -1},
        {__LINE__, Fault(P::BeforeByte, 128), kNone, 0, "", Result::Failed, "H-Byte|L-Byte|W: 0-127|Err B: 128",
         Wrong("Err B: 128", "die Steuerung hat Byte 128 nicht angefordert"), head + 129, -1},
        {__LINE__, Fault(P::BlockEnd, 1), kNone, 0, "", Result::Failed, "H-Byte|L-Byte|W: 0-255|Error *",
         Wrong("Error *", "die Steuerung hat das Blockende nicht best\xc3\xa4tigt"), head + 257, -1},
        {__LINE__, Fault(P::DataEnd), kNone, 0, "", Result::Failed, "H-Byte|L-Byte|W: 0-255|Error <",
         Wrong("Error <", "die Steuerung hat das Datenende nicht best\xc3\xa4tigt"), head + 258, -1},
        {__LINE__, Fault(P::ReadBack, 150), kNone, 0, "", Result::Failed, "H-Byte|L-Byte|W: 0-255|R: 0-149|Err V: 150",
         Wrong("Err V: 150", "Byte 150 wurde falsch zur\xc3\xbc" "ckgelesen"), head + 258 + 151, -1},
        // Stop/Clear at the pump before the port opens is seen after the first request.
        {__LINE__, noise, kStop, 1, "", Result::Stopped, "", ConnectEvents(1), 10, 1},
        {__LINE__, noise, kStop, 3, "", Result::Stopped, "wait", ConnectEvents(1) + "[wait 200]", 10, 0},
        {__LINE__, noise, kStop, 12, "", Result::Stopped, loop, ConnectEvents(6, 5), 60, 0},
        {__LINE__, noise, kStopWithoutPort, 13, "", Result::Stopped, loop + "|wait", ConnectEvents(6, 5) + "[wait 200]", 0, 0},
        {__LINE__, Fault(P::BeforeByte, 5, true), kStop, 4, "W: 0-4", Result::Failed, "H-Byte|L-Byte|W: 0-4|Err B: 5",
         ConnectEvents(1) + stopped, head + 5, 0},
        {__LINE__, Fault(P::ReadBack, 3, true), kStop, 4, "R: 0-2", Result::Failed, "H-Byte|L-Byte|W: 0-255|R: 0-2|Err V: 3",
         ConnectEvents(1) + stopped, head + 258 + 4, 0},
        {__LINE__, Silent(1000), kPull, 3, "", Result::PortFailed, "wait|----|Port Fehler", ConnectEvents(1) + "[wait 200][wait 200]",
         kUnchecked, 0},
        {__LINE__, Fault(P::ReadBack, 2, true), kPull, 1, "R: 0-1", Result::PortFailed, "H-Byte|L-Byte|W: 0-255|R: 0-1|Port Fehler",
         ConnectEvents(1), kUnchecked, 1},
        {__LINE__, {}, kTooLarge, 0, "", Result::TooLarge, "Zu gro\xc3\x9f", "Programm zu gro\xc3\x9f: 32001 Bytes, der "
         "Programmspeicher der Steuerung fasst 32000 (1 zu viel)\n", 0, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Start(row.act == kTooLarge ? kProgramMemory + 1 : 200, row.options);
        if (row.act == kStopWithoutPort) data.programComport = "/dev/tqc-no-such-port";
        int pumpsAfter = -1, quiet = 0;
        rec_.onPump = [&] {
            if (pumpsAfter >= 0) {
                ++pumpsAfter;
            } else if (row.act != kNone && (row.after.empty() ? rec_.pumps == row.at : rec_.LastLabel() == row.after && ++quiet == row.at)) {
                pumpsAfter = 0;
                if (row.act == kPull) sim_->Vanish(); else gl_iProgramStop = 0;
            }
        };
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(t_.Run() || comport.IsOpen());
        const long long ms = MillisecondsSince(start);
        EXPECT_EQ(t_.LastResult(), row.result);
        EXPECT_EQ(rec_.Labels(), row.labels);
        EXPECT_EQ(pumpsAfter, row.pumpsAfter);  // a stop is seen at the next check
        EXPECT_EQ(gl_iProgramStop, row.act == kNone || row.act == kPull ? 1 : 0);
        EXPECT_LT(ms, 1000);
        EXPECT_TRUE(row.act != kStop || row.after.empty() || ms >= 100) << ms;  // the quiet reads waited out their time
        EXPECT_EQ(rec_.openReports, row.act == kStopWithoutPort ? std::to_string(ENOENT) + " " + std::strerror(ENOENT) : "");
        if (row.act == kPull) { ExpectLostPort(rec_.events, row.events); continue; }
        EXPECT_EQ(rec_.events, row.events);
        // What the loader got is a prefix of a full line, up to where the PC stopped talking.
        const Bytes received = ReceivedWhenIn(row.lineBytes), full = ExpectedLine(row.options.silentRequests);
        ASSERT_EQ(received.size(), row.lineBytes);
        EXPECT_TRUE(std::equal(received.begin(), received.end(), full.begin()));
    }
}

// ---- the module exchange ----

using Rows = std::vector<std::pair<int, int>>;  // {key, LED} per row
using Fields = std::vector<std::pair<const char*, const char*>>;

const std::string kConnectStart = "[clear][wait 100]Reset Modul\n[wait 300]warte auf Verbindung\n[wait 300]";
const std::string kBridgeOk = "[wait 100]TqP-Br\xC3\xBC" "cke OK\n[wait 300]";
const std::string kPowerCycleAndConnect = "\n- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n"
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
    using Result = ModuleExchange::Result;
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
    const std::string noBridge = "Verbindung Fehler\n" + kPowerCycleAndConnect;
    const std::string noModule = kBridgeOk + "Verbindung Modul Fehler\n" + kPowerCycleAndConnect;
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
