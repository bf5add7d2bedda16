// The terminal's receive side on a pseudo-terminal: every byte written on the master arrives,
// in order, through the receiver's chunks; the two texts a chunk is shown as; the bounded views.
#include "../support/PtyMaster.h"
#include "dialogs/TerminalReceiver.h"
#include "serial/Comport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Collects what the receiver hands on.
struct Collected {
    std::mutex mutex;
    std::condition_variable changed;
    std::string bytes;
    int chunks = 0;
    size_t largestChunk = 0;
    int failures = 0;
    wxString reason;

    TerminalReceiver::BytesSink Sink() {
        return [this](std::string chunk) {
            std::lock_guard<std::mutex> lock(mutex);
            largestChunk = std::max(largestChunk, chunk.size());
            bytes += chunk;
            ++chunks;
            changed.notify_all();
        };
    }
    TerminalReceiver::FailureSink Failure() {
        return [this](wxString why) {
            std::lock_guard<std::mutex> lock(mutex);
            ++failures;
            reason = why;
            changed.notify_all();
        };
    }
    // Waits until `count` bytes came (or the time is up) and returns what came.
    std::string WaitFor(size_t count, int timeoutMs = 2000) {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return bytes.size() >= count; });
        return bytes;
    }
    bool WaitForFailure(int timeoutMs) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return failures > 0; });
    }
};

// A receiver on a pseudo-terminal's slave, started.
class TerminalReceive : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(master.Ok());
        ASSERT_TRUE(comport.Open(wxString(master.Slave()), 115200, 8, "N", 1)) << comport.ErrorText();
        receiver.Start();
    }
    void TearDown() override {
        receiver.Stop();
        comport.Close();
    }

    PtyMaster master;
    Collected got;
    TerminalReceiver receiver{got.Sink(), got.Failure()};
};

}  // namespace

TEST(TerminalFormat, EachByteAsItsCharacterAndInHexAppended) {
    wxString text = "x", hex = "[78]", expectedText = "x", expectedHex = "[78]";
    FormatReceived(std::string(), text, hex);
    EXPECT_EQ(text + hex, wxString("x[78]"));
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
        expectedText += wxUniChar(static_cast<unsigned>(b));
        expectedHex += wxString::Format("[%02X]", b);
    }
    FormatReceived(all, text, hex);
    EXPECT_EQ(text, expectedText);
    EXPECT_EQ(hex, expectedHex);
}

TEST(TerminalView, DropsTheOldestTextBeyondTheLimit) {
    wxString view;
    AppendBounded(view, "abc", 16);
    AppendBounded(view, "defghijklmnop", 16);
    EXPECT_EQ(view, wxString("abcdefghijklmnop"));  // up to the limit nothing is dropped
    AppendBounded(view, "0123456789ABCDEFG", 16);
    EXPECT_EQ(view, wxString("123456789ABCDEFG"));  // of a text beyond the limit its end

    const size_t limit = 1600;
    wxString all;
    view.clear();
    for (int i = 0; i < 500; ++i) {
        const wxString piece = wxString::Format("<%d>", i);
        all += piece;
        AppendBounded(view, piece, limit);
        ASSERT_LE(view.length(), limit);
        // Always the newest text, whole and in order.
        ASSERT_TRUE(all.EndsWith(view)) << i;
    }
    EXPECT_GE(view.length(), limit - limit / 16 - 8);
    EXPECT_FALSE(view.Contains("<0>"));
}

TEST(TerminalView, DropCountIsBoundedByWhatIsThere) {
    EXPECT_EQ(BoundedDropCount(1000, 24, 1024), 0u);
    EXPECT_EQ(BoundedDropCount(1024, 1, 1024), 64u);  // steps of a sixteenth
    EXPECT_EQ(BoundedDropCount(1024, 65, 1024), 128u);
    EXPECT_EQ(BoundedDropCount(10, 1020, 1024), 10u);
}

TEST_F(TerminalReceive, BurstOf200KilobytesArrivesCompleteAndInOrder) {
    // Every byte value, in a sequence that does not repeat with a short period.
    std::string sent(200 * 1024, '\0');
    unsigned state = 12345;
    for (char& byte : sent) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>((state >> 16) & 0xFF);
    }
    const Clock::time_point start = Clock::now();
    std::thread writer([&] { EXPECT_TRUE(master.Write(sent)); });
    const std::string received = got.WaitFor(sent.size(), 30000);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    writer.join();
    receiver.Stop();
    ASSERT_EQ(received.size(), sent.size());
    EXPECT_TRUE(received == sent) << "bytes differ or are out of order";
    EXPECT_LE(got.largestChunk, TerminalReceiver::kChunkBytes);
    EXPECT_GT(got.chunks, 1);
    // 115200 baud carries 11520 bytes a second; the receiver must keep well ahead of it.
    EXPECT_GT(sent.size() / seconds, 11520.0 * 2) << seconds << " s";
}

TEST_F(TerminalReceive, NothingIsLostAcrossStopAndStart) {
    EXPECT_TRUE(receiver.Running());
    ASSERT_TRUE(master.Write("abc"));
    EXPECT_EQ(got.WaitFor(3), "abc");
    receiver.Stop();
    EXPECT_FALSE(receiver.Running());
    ASSERT_TRUE(master.Write("def"));  // waits in the line while nobody reads
    receiver.Start();
    EXPECT_EQ(got.WaitFor(6), "abcdef");
    // Stop returns promptly while nothing arrives.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const Clock::time_point start = Clock::now();
    receiver.Stop();
    EXPECT_LT(MillisecondsSince(start), 500);
    EXPECT_EQ(got.failures, 0);
}

TEST_F(TerminalReceive, PausedReceiverLeavesThePortAlone) {
    receiver.SetPaused(true);
    EXPECT_TRUE(receiver.Paused());
    ASSERT_TRUE(master.Write("Z"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(got.WaitFor(0), "");
    // The byte is still there for whoever uses the port meanwhile.
    EXPECT_EQ(comport.Read(), 'Z');
    ASSERT_TRUE(master.Write("Q"));
    receiver.SetPaused(false);
    EXPECT_EQ(got.WaitFor(1), "Q");
}

TEST_F(TerminalReceive, VanishedPortIsReportedAndReadingEnds) {
    ASSERT_TRUE(master.Write("last"));
    EXPECT_EQ(got.WaitFor(4), "last");
    master.CloseFd();  // the adapter is pulled
    ASSERT_TRUE(got.WaitForFailure(3000));
    // The thread ends by itself; it does not keep spinning on the dead port.
    for (int i = 0; i < 100 && receiver.Running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(receiver.Running());
    EXPECT_FALSE(got.reason.empty());
    EXPECT_EQ(got.bytes, "last");
    EXPECT_EQ(got.failures, 1);
}
