// Program transfer against the simulated loader on a pseudo-terminal: every byte on the line,
// the labels and log texts, the waits, the stop and failure paths and the re-entry guard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "compiler/Data.h"
#include "dialogs/ProgramTransfer.h"
#include "serial/Comport.h"
#include "../support/SimSupport.h"

namespace {

using namespace simtest;
using P = Sim::Phase;
using Result = ProgramTransfer::Result;

const std::string kRequest = "(***:PROG)";
const std::string kStartLog = "Programmiervorgang Start\nwarten auf Verbindung\n\n";
const std::string kPowerCycleLog =
    "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n";
// The texts of attempts 5, 20, 30 and 50.
const std::string kAttemptTexts = kPowerCycleLog +
    "TqP-Port zum programmieren nutzen\nRichtiger Comport gew\xC3\xA4hlt ?\n\n" + kPowerCycleLog +
    "Stop/Clear oder Close zum abbrechen\n";
const std::string kOkLog = "Programmierung OK\n";

// Every low byte turns up, including the ones a cooked line would eat (0x03, 0x0D, 0x11, 0x13),
// in cells that also carry high bits or are negative: only the low byte goes on the line. The
// cells after outputCount fill the last block, so they get the pattern as well.
void FillImage(int count) {
    for (int i = 0; i < kImageCells; ++i)
        data.outputValue[i] = ((i * 37 + i / 256 + 5) & 0xFF) + (i % 3 - 1) * 256;
    data.outputCount = count;
}

int Blocks(int count) {
    return count == 0 ? 1 : (count + 127) / 128;
}

// What the loader must receive for one transfer of the current image when it ignores the first
// `ignored` requests.
Bytes ExpectedLine(int ignored = 0) {
    const int count = data.outputCount;
    std::string line;
    for (int r = 0; r <= ignored; ++r)
        line += kRequest;
    line += static_cast<char>(count / 256);
    line += static_cast<char>(count % 256);
    for (int b = 0; b < Blocks(count); ++b) {
        for (int k = 0; k < 128; ++k)
            line += static_cast<char>(data.outputValue[b * 128 + k]);
        line += b + 1 < Blocks(count) ? 'N' : 'E';
    }
    line.append(count, '?');
    return Bytes(line.begin(), line.end());
}

Sim::Options Silent(int requests, const std::string& noise = "", const std::string& prefix = "") {
    Sim::Options o;
    o.silentRequests = requests;
    o.silentReply = noise;
    o.connectPrefix = prefix;
    return o;
}

// Records what a transfer reports. Runs of "W: n" / "R: n" labels collapse to "W: 0-127" when,
// and only when, they count up by one, so the whole label history is one comparable string.
struct Recorder {
    std::vector<std::string> labels;
    int lastNumber = -1;
    std::string log, openReports;
    std::vector<int> sleeps, lastProgress;
    int pumps = 0, clears = 0, progressCalls = 0;
    std::function<void()> onPump;

    void StopAtPump(int n) {  // presses "Stop/Clear" at the n-th pump
        onPump = [this, n] {
            if (pumps == n) gl_iProgramStop = 0;
        };
    }
    void Label(const std::string& s) {
        const std::string kind = s.substr(0, 3);
        const bool counted = kind == "W: " || kind == "R: ";
        const int n = counted ? std::stoi(s.substr(3)) : -1;
        if (counted && !labels.empty() && labels.back().rfind(kind, 0) == 0 && n == lastNumber + 1)
            labels.back() = labels.back().substr(0, labels.back().find('-')) + "-" + std::to_string(n);
        else
            labels.push_back(s);
        lastNumber = n;
    }
    std::string Labels() const {
        std::string all;
        for (size_t i = 0; i < labels.size(); ++i)
            all += (i ? "|" : "") + labels[i];
        return all;
    }
    std::string LastLabel() const { return labels.empty() ? "" : labels.back(); }

    void Wire(ProgramTransfer& t) {
        t.label = [this](const wxString& s) { Label(Utf8(s)); };
        t.log = [this](const wxString& s) { log += Utf8(s); };
        t.clearLog = [this] { ++clears; log.clear(); };
        t.pump = [this] {
            ++pumps;
            if (onPump) onPump();
        };
        t.sleep = [this](int ms) { sleeps.push_back(ms); };
        t.progress = [this](int s, int v, int n) {
            ++progressCalls;
            lastProgress = {s, v, n};
        };
        t.openFailed = [this](int code, const wxString& reason) {
            openReports += std::to_string(code) + " " + Utf8(reason) + "\n";
        };
    }
};

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A transfer that misses a stop or a failure waits for ever; end the binary, not the CI job.
        ::alarm(30);
        comport.Close();
        gl_iProgramStop = 0;
    }
    void TearDown() override {
        ::alarm(0);
        comport.Close();
        gl_iProgramStop = 0;
    }

    // A loader with `o` on a fresh pseudo-terminal, an image of `count` cells and a transfer
    // that reports to rec_.
    void Start(int count, const Sim::Options& o = {}) {
        FillImage(count);
        gl_iProgramStop = 0;
        sim_.reset();
        sim_ = std::make_unique<Sim>(o);
        ASSERT_TRUE(sim_->Start()) << Utf8(sim_->ErrorText());
        data.programComport = sim_->SlavePath();
        rec_ = Recorder();
        t_ = ProgramTransfer();
        rec_.Wire(t_);
    }

    // Runs a transfer that must not succeed; returns how long it took in ms.
    long long RunFailing() {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(t_.Run());
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    }

    std::unique_ptr<Sim> sim_;
    Recorder rec_;
    ProgramTransfer t_;
};

TEST_F(TransferTest, SendsAndVerifiesImagesOfEverySize) {
    struct Row { int line, count; };
    const Row rows[] = {{__LINE__, 0},   {__LINE__, 1},   {__LINE__, 127},  {__LINE__, 128},
                        {__LINE__, 129}, {__LINE__, 300}, {__LINE__, 32000}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Start(row.count);
        ASSERT_TRUE(t_.Run());
        EXPECT_EQ(t_.LastResult(), Result::Ok);
        EXPECT_EQ(t_.ConnectAttempts(), 1);
        EXPECT_TRUE(sim_->Received() == ExpectedLine()) << "bytes on the line differ";

        const int written = Blocks(row.count) * 128;
        std::string labels = "H-Byte|L-Byte|W: 0-" + std::to_string(written - 1) + "|";
        if (row.count > 0)
            labels += "R: 0" + (row.count > 1 ? "-" + std::to_string(row.count - 1) : "") + "|";
        EXPECT_EQ(rec_.Labels(), labels + "OK");
        EXPECT_EQ(rec_.log, kStartLog + kOkLog);
        EXPECT_EQ(rec_.clears, 1);
        // 100 ms before opening, 800 ms after "OK"; no request pauses when the loader answers.
        EXPECT_EQ(rec_.sleeps, (std::vector<int>{100, 800}));
        EXPECT_EQ(rec_.progressCalls, written + row.count);
        EXPECT_EQ(rec_.lastProgress, (std::vector<int>{row.count, row.count, row.count}));
        EXPECT_EQ(rec_.openReports, "");
        EXPECT_EQ(gl_iProgramStop, 0);
        EXPECT_FALSE(comport.IsOpen());
    }
}

// The loader's ">" may come at any of the three reads of an attempt; bytes before it are line
// noise and dropped. A request the loader ignores (silent or with noise) is repeated after the
// third read. Each read after a miss follows a 200 ms pause and shows "wait" or "----". Texts
// tell the user what to do at attempts 5, 20, 30 and 50, each only once.
TEST_F(TransferTest, AsksUntilTheLoaderAnswers) {
    struct Row { int line; Sim::Options options; std::string texts; };
    const Row rows[] = {
        {__LINE__, Silent(0), ""},
        {__LINE__, Silent(0, "", "x"), ""},
        {__LINE__, Silent(0, "", std::string("\0<", 2)), ""},
        {__LINE__, Silent(2), ""},  // the reads wait out their time-out
        // Three noise bytes per ignored request, so that no read waits out its time-out.
        {__LINE__, Silent(120, std::string("\x01\0<", 3)), kAttemptTexts},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const int ignored = row.options.silentRequests;
        Start(2, row.options);
        ASSERT_TRUE(t_.Run());
        EXPECT_EQ(t_.ConnectAttempts(), ignored + 1);
        EXPECT_EQ(sim_->Requests(), ignored + 1);
        EXPECT_TRUE(sim_->Received() == ExpectedLine(ignored));
        EXPECT_EQ(rec_.log, kStartLog + row.texts + kOkLog);
        // Two missed reads per ignored request, one per byte before the ">".
        std::string labels;
        std::vector<int> sleeps{100};
        for (size_t miss = 0; miss < 2 * ignored + row.options.connectPrefix.size(); ++miss) {
            labels += miss % 2 ? "----|" : "wait|";
            sleeps.push_back(200);
        }
        sleeps.push_back(800);
        EXPECT_EQ(rec_.Labels(), labels + "H-Byte|L-Byte|W: 0-127|R: 0-1|OK");
        EXPECT_EQ(rec_.sleeps, sleeps);
    }
}

// Each wrong answer of the loader ends the transfer with its label, the port closed and the
// stop flag left at 1 (failed until Stop/Clear); nothing more goes on the line.
TEST_F(TransferTest, WrongAnswerInEachPhaseGivesItsLabel) {
    struct Row { int line; P phase; int index; std::string labels; size_t lineBytes; };
    const size_t head = kRequest.size() + 2;  // bytes the loader got: request, length, data, N/E, "?"
    const Row rows[] = {
        {__LINE__, P::HighByte, 0, "H-Byte|Err H-Byte", head - 1},
        {__LINE__, P::BeforeByte, 0, "H-Byte|L-Byte|Err B: 0", head},
        {__LINE__, P::BeforeByte, 128, "H-Byte|L-Byte|W: 0-127|Err B: 128", head + 128 + 1},
        {__LINE__, P::BlockEnd, 2, "H-Byte|L-Byte|W: 0-383|Error *", head + 384 + 2},
        {__LINE__, P::DataEnd, 0, "H-Byte|L-Byte|W: 0-383|Error <", head + 384 + 3},
        {__LINE__, P::ReadBack, 150, "H-Byte|L-Byte|W: 0-383|R: 0-149|Err V: 150", head + 384 + 3 + 151},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Start(300, Fault(row.phase, row.index));
        EXPECT_FALSE(t_.Run());
        EXPECT_EQ(t_.LastResult(), Result::Failed);
        EXPECT_EQ(rec_.Labels(), row.labels);
        EXPECT_EQ(gl_iProgramStop, 1);
        EXPECT_FALSE(comport.IsOpen());
        // The log names the failure and what to do next.
        const std::string failure = rec_.LastLabel() + ": ";
        EXPECT_EQ(rec_.log.substr(0, kStartLog.size() + failure.size()), kStartLog + failure);
        EXPECT_NE(rec_.log.find("erneut Program klicken.\n"), std::string::npos);
        EXPECT_EQ(rec_.sleeps, (std::vector<int>{100}));
        // The PC stopped talking at the failure: what the loader got is a prefix of a full line.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const Bytes received = sim_->Received(), full = ExpectedLine();
        ASSERT_EQ(received.size(), row.lineBytes);
        EXPECT_TRUE(std::equal(received.begin(), received.end(), full.begin()));
    }
}

// Two length bytes cannot carry an image beyond the program memory: it is refused before the
// port is opened, and the loader sees nothing.
TEST_F(TransferTest, ImageBeyondTheProgramMemoryIsNotSent) {
    Start(kProgramMemory + 1);
    EXPECT_FALSE(t_.Run());
    EXPECT_EQ(t_.LastResult(), Result::TooLarge);
    EXPECT_EQ(gl_iProgramStop, 0);
    EXPECT_NE(rec_.log.find("32001 Bytes"), std::string::npos);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(sim_->Received().empty());
}

// Stop/Clear during the connection loop: the flag is checked after each request and between
// the reads; the port closes within the attempt and no further request goes out.
TEST_F(TransferTest, StopDuringTheConnectionLoopClosesThePort) {
    struct Row { int line, stopAtPump, pumps, attempts; std::string labels; };
    const Row rows[] = {
        {__LINE__, 1, 2, 1, ""},  // the pump before the port is opened; seen after the request
        {__LINE__, 3, 3, 1, "wait"},
        {__LINE__, 12, 12, 6, "wait|----|wait|----|wait|----|wait|----|wait|----"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Start(10, Silent(1000, "xyz"));
        rec_.StopAtPump(row.stopAtPump);
        EXPECT_FALSE(t_.Run());
        EXPECT_EQ(t_.LastResult(), Result::Stopped);
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_EQ(gl_iProgramStop, 0);
        EXPECT_EQ(rec_.pumps, row.pumps);  // the stop is seen at the next check, which pumps first
        EXPECT_EQ(rec_.Labels(), row.labels);
        EXPECT_EQ(t_.ConnectAttempts(), row.attempts);
        EXPECT_EQ(rec_.log, kStartLog + (row.attempts >= 5 ? kPowerCycleLog : ""));
        for (int i = 0; i < 400 && sim_->Requests() < row.attempts; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_EQ(sim_->Requests(), row.attempts);
    }
}

// Stop/Clear while waiting for the loader: the wait pumps once per 60 ms read and gives up at
// the pump that brings the stop, with the phase's label and the port closed.
TEST_F(TransferTest, StopDuringAWaitClosesThePort) {
    struct Row { int line; P phase; int index; std::string quietAfter, label; };
    const Row rows[] = {
        {__LINE__, P::BeforeByte, 5, "W: 0-4", "Err B: 5"},
        {__LINE__, P::ReadBack, 3, "R: 0-2", "Err V: 3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Start(200, Fault(row.phase, row.index, true));
        int quietPumps = 0;
        rec_.onPump = [&] {
            if (rec_.LastLabel() == row.quietAfter && ++quietPumps == 4) gl_iProgramStop = 0;
        };
        const long long ms = RunFailing();
        EXPECT_EQ(t_.LastResult(), Result::Failed);
        EXPECT_EQ(rec_.LastLabel(), row.label);
        EXPECT_EQ(quietPumps, 4);
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_EQ(gl_iProgramStop, 0);
        // At least two 60 ms reads went unanswered between the pumps; far less than a second.
        EXPECT_GE(ms, 100);
        EXPECT_LT(ms, 1500);
    }
}

// The flag at 1 (a transfer runs, or the last one failed): a click, also one that comes through
// the pump of a running transfer, does nothing at all.
TEST_F(TransferTest, DoesNothingWhileATransferRunsOrAfterAFailure) {
    Start(5);
    gl_iProgramStop = 1;
    ASSERT_FALSE(t_.Run());
    EXPECT_EQ(t_.LastResult(), Result::Ignored);
    gl_iProgramStop = 0;
    Recorder inner;
    ProgramTransfer nested;
    inner.Wire(nested);
    int nestedRuns = 0;
    rec_.onPump = [&] {
        if (rec_.pumps == 2 || rec_.LastLabel() == "W: 0-3") {
            ++nestedRuns;
            EXPECT_FALSE(nested.Run());
            EXPECT_EQ(nested.LastResult(), Result::Ignored);
            EXPECT_EQ(gl_iProgramStop, 1);
        }
    };
    EXPECT_TRUE(t_.Run());
    EXPECT_GE(nestedRuns, 2);
    EXPECT_EQ(inner.Labels() + inner.log + inner.openReports, "");
    EXPECT_EQ(inner.clears + inner.pumps + inner.progressCalls + inner.sleeps.size(), 0u);
    EXPECT_EQ(rec_.Labels(), "H-Byte|L-Byte|W: 0-127|R: 0-4|OK");
    EXPECT_EQ(rec_.log, kStartLog + kOkLog);
    EXPECT_TRUE(sim_->Received() == ExpectedLine());
}

// A port that cannot be opened is reported once; the loop still runs until the user stops it.
TEST_F(TransferTest, PortThatCannotBeOpenedIsReportedAndTheLoopRunsOn) {
    Start(1);
    data.programComport = "/dev/tqc-no-such-port";
    rec_.StopAtPump(13);
    EXPECT_FALSE(t_.Run());
    EXPECT_EQ(t_.LastResult(), Result::Stopped);
    EXPECT_EQ(rec_.openReports, std::to_string(ENOENT) + " " + std::strerror(ENOENT) + "\n");
    EXPECT_EQ(t_.ConnectAttempts(), 6);
    EXPECT_EQ(rec_.log, kStartLog + kPowerCycleLog);
    EXPECT_FALSE(comport.IsOpen());
}

// The device disappears (a USB adapter pulled): the transfer ends at once with "Port Fehler",
// a log line with the port and the reason, and the port closed, instead of waiting for ever.
TEST_F(TransferTest, VanishedPortEndsTheTransfer) {
    struct Row { int line; Sim::Options options; std::string when; };  // pulled after label `when`
    const Row rows[] = {
        {__LINE__, Silent(1000), ""},  // in the connection loop, at the third pump
        {__LINE__, Fault(P::ReadBack, 2, true), "R: 0-1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Start(50, row.options);
        int pumpsAfter = -1;
        rec_.onPump = [&] {
            if (pumpsAfter >= 0) {
                ++pumpsAfter;
            } else if (row.when.empty() ? rec_.pumps == 3 : rec_.LastLabel() == row.when) {
                sim_->Vanish();
                pumpsAfter = 0;
            }
        };
        const long long ms = RunFailing();
        EXPECT_EQ(t_.LastResult(), Result::PortFailed);
        EXPECT_EQ(rec_.LastLabel(), "Port Fehler");
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_LE(pumpsAfter, 2);
        EXPECT_LT(ms, 1000);
        // One line that names the port and ends with the reason in words, in parentheses.
        const std::regex logged(kStartLog + "Port Fehler: " + Utf8(sim_->SlavePath()) + " [^\n]*\\([^\n]+\\)\n");
        EXPECT_TRUE(std::regex_match(rec_.log, logged)) << rec_.log;
    }
}

}  // namespace
