// Program transfer against the simulated loader on a pseudo-terminal: every byte on the line,
// the labels and log texts, the waits, the stop and failure paths and the re-entry guard.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "compiler/Data.h"
#include "dialogs/ProgramTransfer.h"
#include "serial/Comport.h"
#include "serial/SimulatedController.h"

namespace {

using Bytes = std::vector<unsigned char>;
using Sim = SimulatedController;

const std::string kRequest = "(***:PROG)";
const std::string kStartLog = "Programmiervorgang Start\nwarten auf Verbindung\n\n";
const std::string kPowerCycleLog =
    "- Steuerung von der Spannung trennen\n- kurz warten\n- Spannung anlegen\n\n";
const std::string kPortLog = "TqP-Port zum programmieren nutzen\nRichtiger Comport gew\xC3\xA4hlt ?\n\n";
const std::string kAbortLog = "Stop/Clear oder Close zum abbrechen\n";
const std::string kOkLog = "Programmierung OK\n";

// Every byte value turns up, including the ones a cooked line would eat (0x03, 0x0D, 0x11, 0x13).
int Pattern(int i) {
    return (i * 37 + i / 256 + 5) & 0xFF;
}

void FillImage(int count) {
    std::fill(std::begin(data.outputValue), std::end(data.outputValue), 0);
    for (int i = 0; i < count; ++i)
        data.outputValue[i] = Pattern(i);
    data.outputCount = count;
}

int Blocks(int count) {
    return count == 0 ? 1 : (count + 127) / 128;
}

void Append(Bytes& bytes, const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// What the loader must receive for one transfer of the current image, connected at once.
Bytes ExpectedLine(int verified) {
    const int count = data.outputCount;
    Bytes line;
    Append(line, kRequest);
    line.push_back(static_cast<unsigned char>(count / 256));
    line.push_back(static_cast<unsigned char>(count % 256));
    for (int b = 0; b < Blocks(count); ++b) {
        for (int k = 0; k < 128; ++k)
            line.push_back(static_cast<unsigned char>(data.outputValue[b * 128 + k]));
        line.push_back(b + 1 < Blocks(count) ? 'N' : 'E');
    }
    line.insert(line.end(), verified, '?');
    return line;
}

std::string Utf8(const wxString& s) {
    return std::string(s.utf8_str());
}

template <typename F>
bool WaitUntil(F done) {
    for (int i = 0; i < 400 && !done(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return done();
}

// Records what a transfer reports. Runs of "W: n" / "R: n" labels collapse to "W: 0-127" when,
// and only when, they count up by one, so the whole label history is one comparable string.
struct Recorder {
    std::vector<std::string> labels;
    int lastNumber = -1;
    std::string log;
    std::vector<int> sleeps;
    int pumps = 0;
    int clears = 0;
    int progressCalls = 0;
    int sent = -1, verified = -1, total = -1;
    int openFailures = 0;
    int openCode = 0;
    std::string openReason;
    std::function<void()> onPump;
    // Presses "Stop/Clear" at the n-th pump.
    void StopAtPump(int n) {
        onPump = [this, n] {
            if (pumps == n) gl_iProgramStop = 0;
        };
    }

    void Label(const wxString& text) {
        const std::string s = Utf8(text);
        const bool counted = s.rfind("W: ", 0) == 0 || s.rfind("R: ", 0) == 0;
        if (counted) {
            const std::string kind = s.substr(0, 3);
            const int n = std::stoi(s.substr(3));
            if (!labels.empty() && labels.back().rfind(kind, 0) == 0 && n == lastNumber + 1) {
                std::string& run = labels.back();
                run = run.substr(0, run.find('-')) + "-" + std::to_string(n);
            } else {
                labels.push_back(s);
            }
            lastNumber = n;
            return;
        }
        labels.push_back(s);
    }

    std::string Labels() const {
        std::string all;
        for (const std::string& l : labels)
            if (!l.empty())
                all += (all.empty() ? "" : "|") + l;
        return all;
    }

    std::string LastLabel() const { return labels.empty() ? "" : labels.back(); }

    void Wire(ProgramTransfer& t) {
        t.label = [this](const wxString& s) { Label(s); };
        t.log = [this](const wxString& s) { log += Utf8(s); };
        t.clearLog = [this] { ++clears; log.clear(); };
        t.pump = [this] {
            ++pumps;
            if (onPump)
                onPump();
        };
        t.sleep = [this](int ms) { sleeps.push_back(ms); };
        t.progress = [this](int s, int v, int n) {
            ++progressCalls;
            sent = s;
            verified = v;
            total = n;
        };
        t.openFailed = [this](int code, const wxString& reason) {
            ++openFailures;
            openCode = code;
            openReason = Utf8(reason);
        };
    }
};

// A transfer that misses a stop or a failure waits for ever; end the binary instead of the CI job.
class Watchdog {
public:
    explicit Watchdog(int seconds)
        : thread_([this, seconds] {
              std::unique_lock<std::mutex> lock(mutex_);
              if (!cv_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) {
                  std::fprintf(stderr, "transfer test hung for %d s\n", seconds);
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        cv_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false;
    std::thread thread_;
};

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        comport.Close();
        gl_iProgramStop = 0;
        FillImage(0);
    }
    void TearDown() override {
        comport.Close();
        gl_iProgramStop = 0;
    }

    Watchdog watchdog_{30};

    // Starts a loader and points the transfer's port at it.
    void StartSim(Sim& sim) {
        ASSERT_TRUE(sim.Start()) << Utf8(sim.ErrorText());
        data.programComport = sim.SlavePath();
    }

    ProgramTransfer Transfer(Recorder& rec) {
        ProgramTransfer t;
        rec.Wire(t);
        return t;
    }
};

std::string Range(const char* kind, int first, int last) {
    return std::string(kind) + std::to_string(first) + (last > first ? "-" + std::to_string(last) : "");
}

TEST_F(TransferTest, SendsAndVerifiesImagesOfEverySize) {
    struct Row {
        int line;
        int count;
    };
    const Row rows[] = {
        {__LINE__, 0}, {__LINE__, 1}, {__LINE__, 127}, {__LINE__, 128},
        {__LINE__, 129}, {__LINE__, 300}, {__LINE__, 32000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        FillImage(row.count);
        Sim sim;
        StartSim(sim);
        Recorder rec;
        ProgramTransfer t = Transfer(rec);

        ASSERT_TRUE(t.Run());
        EXPECT_EQ(t.LastResult(), ProgramTransfer::Result::Ok);
        EXPECT_EQ(t.ConnectAttempts(), 1);

        const Bytes line = ExpectedLine(row.count);
        const Bytes received = sim.Received();
        EXPECT_EQ(received.size(), line.size());
        EXPECT_TRUE(received == line) << "bytes on the line differ";
        EXPECT_EQ(sim.ImageLength(), row.count);
        const Bytes image = sim.Image();
        ASSERT_EQ(image.size(), static_cast<size_t>(Blocks(row.count) * 128));
        for (size_t i = 0; i < image.size(); ++i)
            ASSERT_EQ(image[i], static_cast<int>(i) < row.count ? Pattern(i) : 0) << i;
        EXPECT_EQ(sim.ReadBacks(), row.count);

        std::string labels = "H-Byte|L-Byte|" + Range("W: ", 0, Blocks(row.count) * 128 - 1) + "|";
        if (row.count > 0)
            labels += Range("R: ", 0, row.count - 1) + "|";
        labels += "OK";
        EXPECT_EQ(rec.Labels(), labels);
        EXPECT_EQ(rec.log, kStartLog + kOkLog);
        EXPECT_EQ(rec.clears, 1);
        // 100 ms before opening, 800 ms after "OK"; no request pauses when the loader answers.
        EXPECT_EQ(rec.sleeps, (std::vector<int>{100, 800}));
        EXPECT_EQ(rec.progressCalls, Blocks(row.count) * 128 + row.count);
        EXPECT_EQ(rec.sent, row.count);
        EXPECT_EQ(rec.verified, row.count);
        EXPECT_EQ(rec.total, row.count);
        EXPECT_EQ(rec.openFailures, 0);
        EXPECT_EQ(gl_iProgramStop, 0);
        EXPECT_FALSE(comport.IsOpen());
    }
}

// The last block is filled with the cells that follow outputCount, whatever they hold.
TEST_F(TransferTest, LastBlockCarriesTheCellsAfterTheImage) {
    FillImage(130);
    for (int i = 130; i < 256; ++i)
        data.outputValue[i] = 0xA0 + (i & 0x0F);
    Sim sim;
    StartSim(sim);
    Recorder rec;
    ProgramTransfer t = Transfer(rec);
    ASSERT_TRUE(t.Run());
    const Bytes image = sim.Image();
    ASSERT_EQ(image.size(), 256u);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(image[i], data.outputValue[i]) << i;
    EXPECT_TRUE(sim.Received() == ExpectedLine(130));
    EXPECT_EQ(sim.ReadBacks(), 130);
}

// Only the low 8 bits of a cell go on the line, and the read-back is compared with them.
TEST_F(TransferTest, SendsTheLowByteOfEachCell) {
    FillImage(3);
    data.outputValue[0] = 0x141;
    data.outputValue[1] = -1;
    Sim sim;
    StartSim(sim);
    Recorder rec;
    ProgramTransfer t = Transfer(rec);
    ASSERT_TRUE(t.Run());
    const Bytes image = sim.Image();
    EXPECT_EQ(image[0], 0x41);
    EXPECT_EQ(image[1], 0xFF);
    EXPECT_EQ(rec.LastLabel(), "OK");
}

// The loader's ">" may come at the first, second or third read of an attempt; bytes before it
// are dropped, and each read after a miss comes after a 200 ms pause.
TEST_F(TransferTest, ConnectsAtEachReadOfAnAttempt) {
    struct Row {
        int line;
        std::string prefix;
        std::string labels;
        std::vector<int> sleeps;
    };
    const Row rows[] = {
        {__LINE__, "", "H-Byte", {100, 800}},
        {__LINE__, "x", "wait|H-Byte", {100, 200, 800}},
        {__LINE__, std::string("\0<", 2), "wait|----|H-Byte", {100, 200, 200, 800}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        FillImage(2);
        Sim::Options o;
        o.connectPrefix = row.prefix;
        Sim sim(o);
        StartSim(sim);
        Recorder rec;
        ProgramTransfer t = Transfer(rec);
        ASSERT_TRUE(t.Run());
        EXPECT_EQ(t.ConnectAttempts(), 1);
        EXPECT_EQ(rec.Labels(), row.labels + "|L-Byte|W: 0-127|R: 0-1|OK");
        EXPECT_EQ(rec.sleeps, row.sleeps);
        EXPECT_TRUE(sim.Received() == ExpectedLine(2));
    }
}

// A loader that says nothing at all: each attempt reads three times, then asks again.
TEST_F(TransferTest, RepeatsTheRequestWhileTheLoaderIsSilent) {
    FillImage(1);
    Sim::Options o;
    o.silentRequests = 2;
    Sim sim(o);
    StartSim(sim);
    Recorder rec;
    ProgramTransfer t = Transfer(rec);
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(t.ConnectAttempts(), 3);
    EXPECT_EQ(sim.Requests(), 3);
    EXPECT_EQ(rec.Labels(), "wait|----|wait|----|H-Byte|L-Byte|W: 0-127|R: 0|OK");
    EXPECT_EQ(rec.sleeps, (std::vector<int>{100, 200, 200, 200, 200, 800}));
    Bytes line;
    Append(line, kRequest + kRequest);
    const Bytes rest = ExpectedLine(1);
    line.insert(line.end(), rest.begin(), rest.end());
    EXPECT_TRUE(sim.Received() == line);
    EXPECT_EQ(rec.log, kStartLog + kOkLog);
}

// The power-cycle texts come at attempts 5, 20, 30 and 50, once each and in this order. The
// loader sends three noise bytes per ignored request so that no read waits out its time-out.
TEST_F(TransferTest, TellsTheUserWhatToDoAtAttempts5_20_30_50) {
    FillImage(4);
    Sim::Options o;
    o.silentRequests = 55;
    o.silentReply = std::string("\x01\0<", 3);
    Sim sim(o);
    StartSim(sim);
    Recorder rec;
    ProgramTransfer t = Transfer(rec);
    ASSERT_TRUE(t.Run());
    EXPECT_EQ(t.ConnectAttempts(), 56);
    EXPECT_EQ(sim.Requests(), 56);
    EXPECT_EQ(rec.log, kStartLog + kPowerCycleLog + kPortLog + kPowerCycleLog + kAbortLog + kOkLog);
    std::vector<int> sleeps{100};
    for (int i = 0; i < 55; ++i) {
        sleeps.push_back(200);
        sleeps.push_back(200);
    }
    sleeps.push_back(800);
    EXPECT_EQ(rec.sleeps, sleeps);
    EXPECT_EQ(rec.LastLabel(), "OK");
    Bytes line;
    for (int i = 0; i < 55; ++i)
        Append(line, kRequest);
    const Bytes rest = ExpectedLine(4);
    line.insert(line.end(), rest.begin(), rest.end());
    EXPECT_TRUE(sim.Received() == line);
}

TEST_F(TransferTest, TextsAtAttemptsComeOnlyOnce) {
    FillImage(1);
    Sim::Options o;
    o.silentRequests = 1000;
    o.silentReply = "abc";
    Sim sim(o);
    StartSim(sim);
    Recorder rec;
    ProgramTransfer t = Transfer(rec);
    // Two pumps per attempt: stop in attempt 120, long past the last text.
    rec.StopAtPump(240);
    EXPECT_FALSE(t.Run());
    EXPECT_EQ(t.LastResult(), ProgramTransfer::Result::Stopped);
    EXPECT_EQ(t.ConnectAttempts(), 120);
    EXPECT_EQ(rec.log, kStartLog + kPowerCycleLog + kPortLog + kPowerCycleLog + kAbortLog);
    EXPECT_FALSE(comport.IsOpen());
}

// Each wrong answer of the loader ends the transfer with its label, the port closed and the
// stop flag left at 1 (failed until Stop/Clear); nothing more goes on the line.
TEST_F(TransferTest, WrongAnswerInEachPhaseGivesItsLabel) {
    using P = Sim::Phase;
    struct Row {
        int line;
        P phase;
        int index;
        std::string label;
        std::string before;  // the label shown just before the error
        size_t lineBytes;    // bytes the loader received: request, length, data, N/E, "?"
    };
    const int n = 300;
    const size_t head = kRequest.size() + 2;
    const Row rows[] = {
        {__LINE__, P::HighByte, 0, "Err H-Byte", "H-Byte", head - 1},
        {__LINE__, P::BeforeByte, 0, "Err B: 0", "L-Byte", head},
        {__LINE__, P::BeforeByte, 5, "Err B: 5", "W: 0-4", head + 5},
        {__LINE__, P::BeforeByte, 127, "Err B: 127", "W: 0-126", head + 127},
        {__LINE__, P::BeforeByte, 128, "Err B: 128", "W: 0-127", head + 128 + 1},
        {__LINE__, P::BeforeByte, 383, "Err B: 383", "W: 0-382", head + 383 + 2},
        {__LINE__, P::BlockEnd, 0, "Error *", "W: 0-127", head + 128},
        {__LINE__, P::BlockEnd, 2, "Error *", "W: 0-383", head + 384 + 2},
        {__LINE__, P::DataEnd, 0, "Error <", "W: 0-383", head + 384 + 3},
        {__LINE__, P::ReadBack, 0, "Err V: 0", "W: 0-383", head + 384 + 3 + 1},
        {__LINE__, P::ReadBack, 150, "Err V: 150", "R: 0-149", head + 384 + 3 + 151},
        {__LINE__, P::ReadBack, 299, "Err V: 299", "R: 0-298", head + 384 + 3 + 300},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        FillImage(n);
        gl_iProgramStop = 0;
        Sim::Options o;
        o.faultPhase = row.phase;
        o.faultIndex = row.index;
        Sim sim(o);
        StartSim(sim);
        Recorder rec;
        ProgramTransfer t = Transfer(rec);
        EXPECT_FALSE(t.Run());
        EXPECT_EQ(t.LastResult(), ProgramTransfer::Result::Failed);
        ASSERT_GE(rec.labels.size(), 2u);
        EXPECT_EQ(rec.labels.back(), row.label);
        EXPECT_EQ(rec.labels[rec.labels.size() - 2], row.before);
        EXPECT_EQ(gl_iProgramStop, 1);
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_EQ(rec.log, kStartLog);
        EXPECT_EQ(rec.sleeps, (std::vector<int>{100}));
        // The PC stopped talking at the failure: what the loader got is a prefix of a full line.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const Bytes received = sim.Received();
        const Bytes full = ExpectedLine(n);
        EXPECT_EQ(received.size(), row.lineBytes);
        EXPECT_TRUE(std::equal(received.begin(), received.end(), full.begin()));

        // Failed state: a second Run does nothing until the flag is cleared.
        Recorder again;
        ProgramTransfer second = Transfer(again);
        EXPECT_FALSE(second.Run());
        EXPECT_EQ(second.LastResult(), ProgramTransfer::Result::Ignored);
        EXPECT_TRUE(again.labels.empty());
        EXPECT_EQ(sim.Received().size(), row.lineBytes);
    }
}

// Stop/Clear during the connection loop: the flag is checked after each request and between
// the reads; the port closes within the attempt and the log keeps its texts.
TEST_F(TransferTest, StopDuringTheConnectionLoopClosesThePort) {
    struct Row {
        int line;
        int stopAtPump;
        int pumps;     // the stop is seen at the next check, which pumps first
        int attempts;
        std::string labels;
    };
    const std::string five = "wait|----|wait|----|wait|----|wait|----|wait|----";
    const Row rows[] = {
        {__LINE__, 1, 2, 1, ""},  // the pump before the port is opened; seen after the request
        {__LINE__, 2, 2, 1, ""},  // right after the first request
        {__LINE__, 3, 3, 1, "wait"},
        {__LINE__, 12, 12, 6, five},
        {__LINE__, 13, 13, 6, five + "|wait"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        FillImage(10);
        Sim::Options o;
        o.silentRequests = 1000;
        o.silentReply = "xyz";
        Sim sim(o);
        StartSim(sim);
        Recorder rec;
        ProgramTransfer t = Transfer(rec);
        rec.StopAtPump(row.stopAtPump);
        EXPECT_FALSE(t.Run());
        EXPECT_EQ(t.LastResult(), ProgramTransfer::Result::Stopped);
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_EQ(gl_iProgramStop, 0);
        EXPECT_EQ(rec.pumps, row.pumps);
        EXPECT_EQ(rec.Labels(), row.labels);
        const int attempts = row.attempts;
        EXPECT_EQ(t.ConnectAttempts(), attempts);
        ASSERT_TRUE(WaitUntil([&] { return sim.Requests() == attempts; }));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        EXPECT_EQ(sim.Requests(), attempts);
        EXPECT_EQ(rec.log, kStartLog + (attempts >= 5 ? kPowerCycleLog : ""));
    }
}

// Stop/Clear while waiting for the loader: the wait pumps once per 60 ms read and gives up at
// the pump that brings the stop, with the phase's label and the port closed.
TEST_F(TransferTest, StopDuringAWaitClosesThePort) {
    using P = Sim::Phase;
    struct Row {
        int line;
        P phase;
        int index;
        std::string waitingAfter;  // label shown when the loader went quiet
        std::string label;
    };
    const Row rows[] = {
        {__LINE__, P::HighByte, 0, "H-Byte", "Err H-Byte"},
        {__LINE__, P::BeforeByte, 5, "W: 0-4", "Err B: 5"},
        {__LINE__, P::BlockEnd, 0, "W: 0-127", "Error *"},
        {__LINE__, P::DataEnd, 0, "W: 0-255", "Error <"},
        {__LINE__, P::ReadBack, 3, "R: 0-2", "Err V: 3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        FillImage(200);
        gl_iProgramStop = 0;
        Sim::Options o;
        o.faultPhase = row.phase;
        o.faultIndex = row.index;
        o.faultMute = true;
        Sim sim(o);
        StartSim(sim);
        Recorder rec;
        ProgramTransfer t = Transfer(rec);
        int quietPumps = 0;
        rec.onPump = [&] {
            if (rec.LastLabel() == row.waitingAfter && ++quietPumps == 4)
                gl_iProgramStop = 0;
        };
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(t.Run());
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(t.LastResult(), ProgramTransfer::Result::Failed);
        EXPECT_EQ(rec.LastLabel(), row.label);
        EXPECT_EQ(quietPumps, 4);
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_EQ(gl_iProgramStop, 0);
        // At least two 60 ms reads went unanswered between the pumps; far less than a second.
        EXPECT_GE(ms, 100);
        EXPECT_LT(ms, 1500);
    }
}

TEST_F(TransferTest, DoesNothingWhileATransferRunsOrAfterAFailure) {
    FillImage(5);
    Sim sim;
    StartSim(sim);

    // The flag at 1 (a transfer runs, or the last one failed): nothing at all happens.
    gl_iProgramStop = 1;
    Recorder idle;
    ProgramTransfer blocked = Transfer(idle);
    EXPECT_FALSE(blocked.Run());
    EXPECT_EQ(blocked.LastResult(), ProgramTransfer::Result::Ignored);
    EXPECT_EQ(gl_iProgramStop, 1);
    EXPECT_TRUE(idle.labels.empty());
    EXPECT_TRUE(idle.log.empty());
    EXPECT_EQ(idle.clears + idle.pumps + idle.progressCalls, 0);
    EXPECT_TRUE(idle.sleeps.empty());
    EXPECT_FALSE(comport.IsOpen());
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_TRUE(sim.Received().empty());

    // A second click that arrives through the pump of a running transfer.
    gl_iProgramStop = 0;
    Recorder outer;
    Recorder inner;
    ProgramTransfer running = Transfer(outer);
    ProgramTransfer nested = Transfer(inner);
    int nestedRuns = 0;
    outer.onPump = [&] {
        if (outer.pumps == 2 || outer.LastLabel() == "W: 0-3") {
            ++nestedRuns;
            EXPECT_FALSE(nested.Run());
            EXPECT_EQ(nested.LastResult(), ProgramTransfer::Result::Ignored);
        }
    };
    EXPECT_TRUE(running.Run());
    EXPECT_GE(nestedRuns, 2);
    EXPECT_TRUE(inner.labels.empty());
    EXPECT_TRUE(inner.log.empty());
    EXPECT_EQ(inner.pumps, 0);
    EXPECT_EQ(outer.Labels(), "H-Byte|L-Byte|W: 0-127|R: 0-4|OK");
    EXPECT_EQ(outer.log, kStartLog + kOkLog);
    EXPECT_TRUE(sim.Received() == ExpectedLine(5));
}

// A port that cannot be opened is reported once; the loop still runs until the user stops it.
TEST_F(TransferTest, PortThatCannotBeOpenedIsReportedAndTheLoopRunsOn) {
    FillImage(1);
    data.programComport = "/dev/tqc-no-such-port";
    Recorder rec;
    ProgramTransfer t = Transfer(rec);
    rec.StopAtPump(13);
    EXPECT_FALSE(t.Run());
    EXPECT_EQ(t.LastResult(), ProgramTransfer::Result::Stopped);
    EXPECT_EQ(rec.openFailures, 1);
    EXPECT_NE(rec.openCode, 0);
    EXPECT_FALSE(rec.openReason.empty());
    EXPECT_EQ(t.ConnectAttempts(), 6);
    EXPECT_EQ(rec.log, kStartLog + kPowerCycleLog);
    EXPECT_FALSE(comport.IsOpen());
}

// The device disappears (a USB adapter pulled): the transfer ends at once with "Port Fehler",
// a log line with the port and the reason, and the port closed, instead of waiting for ever.
TEST_F(TransferTest, VanishedPortEndsTheTransfer) {
    using P = Sim::Phase;
    struct Row {
        int line;
        P phase;           // where the loader goes quiet before the port vanishes
        int silent;        // requests ignored
        std::string when;  // label after which the port is pulled ("" = at the third pump)
    };
    const Row rows[] = {
        {__LINE__, P::None, 1000, ""},
        {__LINE__, P::BeforeByte, 5, "W: 0-4"},
        {__LINE__, P::ReadBack, 2, "R: 0-1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        FillImage(50);
        gl_iProgramStop = 0;
        Sim::Options o;
        o.faultPhase = row.phase;
        o.faultIndex = row.phase == P::None ? 0 : (row.phase == P::BeforeByte ? 5 : 2);
        o.faultMute = true;
        o.silentRequests = row.phase == P::None ? row.silent : 0;
        Sim sim(o);
        StartSim(sim);
        const std::string path = Utf8(sim.SlavePath());
        Recorder rec;
        ProgramTransfer t = Transfer(rec);
        int pumpsAfter = -1;
        rec.onPump = [&] {
            if (pumpsAfter >= 0) {
                ++pumpsAfter;
                return;
            }
            if (row.when.empty() ? rec.pumps == 3 : rec.LastLabel() == row.when) {
                sim.Vanish();
                pumpsAfter = 0;
            }
        };
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(t.Run());
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(t.LastResult(), ProgramTransfer::Result::PortFailed);
        EXPECT_EQ(rec.LastLabel(), "Port Fehler");
        EXPECT_FALSE(comport.IsOpen());
        EXPECT_LE(pumpsAfter, 2);
        EXPECT_LT(ms, 1000);
        const std::string prefix = kStartLog + "Port Fehler: " + path + " ";
        EXPECT_EQ(rec.log.substr(0, prefix.size()), prefix);
        // The reason in words, in parentheses at the end of the line.
        const size_t open = rec.log.rfind('(');
        ASSERT_NE(open, std::string::npos) << rec.log;
        EXPECT_GT(rec.log.size(), open + 3) << rec.log;
        EXPECT_EQ(rec.log.substr(rec.log.size() - 2), ")\n");
        EXPECT_EQ(rec.log.find('\n', prefix.size()), rec.log.size() - 1) << "one line";
    }
}

}  // namespace
