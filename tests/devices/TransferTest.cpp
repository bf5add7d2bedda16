// Program transfer against the simulated loader on a pseudo-terminal: every byte on the line,
// the labels, log texts and waits, the stop and failure paths and the re-entry guard.
#include "../support/SimSupport.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

using namespace simtest;
using Result = ProgramTransfer::Result;

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

}  // namespace
