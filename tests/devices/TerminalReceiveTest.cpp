// The terminal's receive side on a pseudo-terminal, its two texts and bounded views (that a paused
// receiver leaves the port alone is checked through the window, gui/TerminalTest).
#include "../support/PtyMaster.h"
#include "dialogs/TerminalReceiver.h"
#include "serial/Comport.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Beyond its limit a view drops the oldest text in steps of a sixteenth of the limit, never more
// than it holds; of a text longer than the limit only its end is kept.
TEST(TerminalView, EachByteInBothFormsAndTheOldestTextDroppedBeyondTheLimit) {
    wxString text = "x", hex = "[78]", expectedText = "x", expectedHex = "[78]";
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
        expectedText += wxUniChar(static_cast<unsigned>(b));
        expectedHex += wxString::Format("[%02X]", b);
    }
    FormatReceived(std::string(), text, hex);
    FormatReceived(all, text, hex);
    EXPECT_EQ(text, expectedText);
    EXPECT_EQ(hex, expectedHex);
    wxString view = "0123456789abcdefghijklmnopqrstu";  // 31 of 32
    AppendBounded(view, "v", 32);
    EXPECT_EQ(view.length(), 32u);
    AppendBounded(view, "w", 32);  // one too many: a step of two goes
    EXPECT_EQ(view, wxString("23456789abcdefghijklmnopqrstuvw"));
    AppendBounded(view, wxString(33, 'z') + "!", 32);
    EXPECT_EQ(view, wxString(31, 'z') + "!");
    const std::string drops = std::to_string(BoundedDropCount(1000, 24, 1024)) + " " + std::to_string(BoundedDropCount(1024, 1, 1024)) +
                              " " + std::to_string(BoundedDropCount(1024, 65, 1024)) + " " + std::to_string(BoundedDropCount(10, 1020, 1024));
    EXPECT_EQ(drops, "0 64 128 10");
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
    std::string WaitFor(size_t count, int ms = 2000) { return WaitUntil([&] { return bytes_.size() >= count; }, ms); }
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
        Locked([&] { largestChunk_ = std::max(largestChunk_, chunk.size()); bytes_ += chunk; ++chunks_; });
    }, [this](wxString why) { Locked([&] { failures_.push_back(why); }); }};
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
