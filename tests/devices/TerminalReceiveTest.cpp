// The terminal's receive side on a pseudo-terminal, the lines it shows, and `tqc-cli monitor`
// (that a paused receiver leaves the port alone is checked through the window, gui/TerminalTest).
#include "../support/Process.h"
#include "../support/PtyMaster.h"
#include "dialogs/TerminalFormat.h"
#include "dialogs/TerminalReceiver.h"
#include "serial/Comport.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <csignal>
#include <cstring>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Received bytes as the views show them: line ends of any kind (also split between chunks) end a
// line, long lines break at their length without an empty line after, hex lines hold 16 bytes, and
// lines begin with the time their first byte came.
TEST(TerminalFormat, LinesOfBothFormsWithTimestamps) {
    using Form = TerminalFormat::Form;
    std::string all;
    for (int b = 0; b < 18; ++b) all.push_back(static_cast<char>(b * 15));
    // Chunks are fed at 01:02:03.004, then one second later each.
    const struct {
        int line;
        Form form;
        size_t lineChars;
        bool stamps;
        std::vector<std::string> chunks;
        const char* shown;
    } rows[] = {
        {__LINE__, Form::Text, 256, false, {"ab\r", "\ncd\n", "\r\r", "e\n\rf"}, "ab\ncd\n\n\ne\n\nf"},
        {__LINE__, Form::Text, 4, false, {"abcdefghij\r\nk", "lmn", "\r\nabcd", "\n"}, "abcd\nefgh\nij\nklmn\nabcd\n"},
        {__LINE__, Form::Text, 256, false, {std::string("\0\x7F\xE4\xFF", 4)}, "␀\x7Fäÿ"},
        {__LINE__,
         Form::Hex,
         256,
         false,
         {all.substr(0, 5), all.substr(5)},
         "[00][0F][1E][2D][3C][4B][5A][69][78][87][96][A5][B4][C3][D2][E1]\n[F0][FF]"},
        {__LINE__, Form::Text, 256, true, {"a\nb", "c\n", "\n"}, "01:02:03.004 a\n01:02:03.004 bc\n01:02:05.004 \n"},
        {__LINE__,
         Form::Hex,
         256,
         true,
         {all.substr(0, 15), all.substr(15)},
         "01:02:03.004 [00][0F][1E][2D][3C][4B][5A][69][78][87][96][A5][B4][C3][D2][E1]\n01:02:04.004 [F0][FF]"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        TerminalFormat form(row.form, row.lineChars);
        form.SetTimestamps(row.stamps);
        wxString shown;
        size_t bytes = 0;
        long long ms = 3723004;
        for (const std::string& chunk : row.chunks) {
            form.Feed(chunk, shown, ms);
            ms += 1000;
            bytes += chunk.size();
        }
        EXPECT_EQ(shown, wxString::FromUTF8(row.shown));
        EXPECT_EQ(form.Bytes(), bytes);
        // A notice closes an open line, and only that.
        const wxString before = shown;
        form.EndLine(shown);
        EXPECT_EQ(shown, before + (before.EndsWith("\n") ? "" : "\n"));
        EXPECT_TRUE(form.AtLineStart());
    }
    EXPECT_EQ(TerminalFormat::Stamp(86399999), "23:59:59.999 ");
    // A view bounded at 100 lines drops in steps of 12, never more than it holds.
    const std::pair<size_t, size_t> drops[] = {{100, 0}, {101, 12}, {112, 12}, {113, 24}, {5, 0}};
    for (const auto& [have, drop] : drops) EXPECT_EQ(LinesToDrop(have, 100), drop) << have;
    EXPECT_EQ(LinesToDrop(3, 0), 3u);
}

// A receiver on a pseudo-terminal's slave, started, and what it handed on.
class TerminalReceive : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(master_.Ok());
        ASSERT_TRUE(comport.Open(wxString(master_.Slave()), 115200, 8, "N", 1)) << comport.ErrorText();
        receiver_.Start();
    }
    void TearDown() override {
        receiver_.Stop();
        comport.Close();
    }
    // Waits until `done` holds (at most `ms`) and returns what came.
    std::string WaitUntil(const std::function<bool()>& done, int ms = 2000) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait_for(lock, std::chrono::milliseconds(ms), done);
        return bytes_;
    }
    std::string WaitFor(size_t count, int ms = 2000) {
        return WaitUntil([&] { return bytes_.size() >= count; }, ms);
    }
    // What the receiver's thread hands on is kept under the lock, and the waiting test woken.
    void Locked(const std::function<void()>& keep) {
        std::lock_guard<std::mutex> lock(mutex_);
        keep();
        changed_.notify_all();
    }

    PtyMaster master_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string bytes_;
    size_t chunks_ = 0, largestChunk_ = 0;
    std::vector<wxString> failures_;
    TerminalReceiver receiver_{[this](std::string chunk) {
                                   Locked([&] {
                                       largestChunk_ = std::max(largestChunk_, chunk.size());
                                       bytes_ += chunk;
                                       ++chunks_;
                                   });
                               },
                               [this](wxString why) { Locked([&] { failures_.push_back(why); }); }};
};

// 200 kB in a sequence without a short period arrive whole, in order and in chunks. A pulled
// adapter is reported once, and the thread ends by itself instead of spinning on the dead port.
TEST_F(TerminalReceive, BurstStopStartAndAPulledPort) {
    std::string sent(200 * 1024, '\0');
    unsigned state = 12345;
    for (char& byte : sent) byte = static_cast<char>(((state = state * 1103515245u + 12345u) >> 16) & 0xFF);
    Clock::time_point start = Clock::now();
    std::thread writer([&] { EXPECT_TRUE(master_.Write(sent)); });
    const std::string received = WaitFor(sent.size(), 30000);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    writer.join();
    EXPECT_TRUE(received == sent) << "bytes differ or are out of order: " << received.size() << " of " << sent.size();
    EXPECT_LE(largestChunk_, TerminalReceiver::kChunkBytes);
    EXPECT_GT(chunks_, 1u);
    EXPECT_GT(sent.size() / seconds, 11520.0 * 2) << seconds << " s";  // what 115200 baud carries, twice
    receiver_.Stop();
    EXPECT_FALSE(receiver_.Running());
    ASSERT_TRUE(master_.Write("def"));  // waits in the line while nobody reads
    receiver_.Start();
    EXPECT_EQ(WaitFor(sent.size() + 3).substr(sent.size()), "def");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    start = Clock::now();
    receiver_.Stop();
    EXPECT_LT(MillisecondsSince(start), 500);
    receiver_.Start();
    ASSERT_TRUE(master_.Write("last"));
    EXPECT_EQ(WaitFor(sent.size() + 7).substr(sent.size()), "deflast");
    master_.CloseFd();
    WaitUntil([&] { return !failures_.empty(); }, 3000);
    for (int i = 0; i < 100 && receiver_.Running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(receiver_.Running());
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_FALSE(failures_[0].empty());
    EXPECT_EQ(bytes_.size(), sent.size() + 7);
}

}  // namespace

// `tqc-cli monitor` on a pseudo-terminal: each stop signal ends it with the partial line closed
// and the port released; stdin lines go out with the chosen line end; the recording holds what
// stdout shows. Bad calls and a port that cannot be opened end it at once.
TEST(TerminalMonitor, ShowsSendsRecordsAndEndsOnEverySignal) {
    const files::TempDir folder;
    const std::string input = folder / "input", record = folder / "record";
    files::Write(input, "AT[0D]\nx\n");
    const struct {
        int line;
        std::vector<std::string> options;
        int signal;
        const char* shown;
        const char* sent;
    } rows[] = {
        {__LINE__, {"--eol", "crlf"}, SIGINT, "Hallo\nWelt\n", "AT\r\r\nx\r\n"},
        {__LINE__, {"--hex", "--baud", "9600"}, SIGTERM, "[48][61][6C][6C][6F][0D][0A][57][65][6C][74]\n", "AT\rx"},
        {__LINE__, {"--timestamps", "--log", record, "--eol", "lf"}, SIGHUP, "@Hallo\n@Welt\n", "AT\r\nx\n"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        PtyMaster master;
        ASSERT_TRUE(master.Ok());
        std::vector<std::string> argv = {TQC_CLI, "monitor", "--port", master.Slave()};
        argv.insert(argv.end(), row.options.begin(), row.options.end());
        std::string sent;
        bool written = false, signalled = false;
        const proc::Result result = proc::Run(
            argv, "", 20,
            [&](pid_t pid, double seconds) {
                if (seconds > 0.5 && !written) written = master.Write("Hallo\r\nWelt");
                if (written && !signalled && (sent += master.ReadAll(50)).size() >= std::strlen(row.sent) &&
                    seconds > 1.5)
                    signalled = ::kill(pid, row.signal) == 0;
            },
            input);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(sent, row.sent);
        // Stamps are the time of day: each "@" stands for one.
        std::string shown = result.out;
        for (size_t at; (at = shown.find_first_of("0123456789")) != std::string::npos && shown.size() > at + 13 &&
                        shown[at + 2] == ':' && shown[at + 12] == ' ';)
            shown.replace(at, 13, "@");
        EXPECT_EQ(shown, row.shown);
        if (row.signal == SIGHUP) { EXPECT_EQ(files::Read(record), result.out); }
        EXPECT_EQ(::access(master.Slave().c_str(), F_OK), 0);  // the test still holds the master
    }
    const struct {
        int line;
        std::vector<std::string> args;
        int status;
        const char* says;
    } bad[] = {{__LINE__, {"monitor"}, 2, "--port is missing"},
               {__LINE__, {"monitor", "--port", "/dev/null", "--baud", "fast"}, 2, "bad value for --baud: fast"},
               {__LINE__, {"monitor", "--port", "/dev/null", "--eol", "crcr"}, 2, "bad value for --eol: crcr"},
               {__LINE__, {"monitor", "--port", "/dev/null", "--echo"}, 2, "missing value: --echo"},
               {__LINE__, {"monitor", "--port", "/dev/tqc-no-such-port"}, 1, "Comport Fehler 2: "},
               {__LINE__,
                {"monitor", "--port", "/dev/null", "--log", folder / "no/such/file"},
                1,
                "Die Aufzeichnung kann nicht nach "}};
    for (const auto& row : bad) {
        SCOPED_TRACE(row.line);
        std::vector<std::string> argv = {TQC_CLI};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        const proc::Result result = proc::Run(argv, "", 10);
        EXPECT_EQ(result.status, row.status);
        EXPECT_NE(result.err.find(row.says), std::string::npos) << result.err;
    }
}
