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

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

using Master = PtyMaster;

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
    std::string WaitFor(size_t count, int timeoutMs) {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return bytes.size() >= count; });
        return bytes;
    }
    bool WaitForFailure(int timeoutMs) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return failures > 0; });
    }
};

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    // Every byte value, in a sequence that does not repeat with a short period.
    unsigned state = 12345;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<char>((state >> 16) & 0xFF);
    }
    return bytes;
}

class TerminalReceive : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(master.Ok());
        ASSERT_TRUE(comport.Open(wxString(master.Slave()), 115200, 8, "N", 1)) << comport.ErrorText();
    }
    void TearDown() override { comport.Close(); }

    Master master;
};

}  // namespace

TEST(TerminalFormat, CharactersAndHexOfEachByte) {
    wxString text, hex;
    FormatReceived(std::string("\x48\x69\x0D", 3), text, hex);
    EXPECT_EQ(text, wxString("Hi\r"));
    EXPECT_EQ(hex, wxString("[48][69][0D]"));
}

TEST(TerminalFormat, AppendsAndCoversEveryByteValue) {
    wxString text = "x", hex = "[78]";
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    FormatReceived(all, text, hex);
    ASSERT_EQ(text.length(), 257u);
    ASSERT_EQ(hex.length(), 4u * 257u);
    EXPECT_EQ(text[0], wxUniChar('x'));
    for (int b = 0; b < 256; ++b) EXPECT_EQ(text[b + 1].GetValue(), static_cast<unsigned>(b)) << b;
    EXPECT_EQ(hex.Mid(4, 4), wxString("[00]"));
    EXPECT_EQ(hex.Mid(4 + 4 * 0x0A, 4), wxString("[0A]"));
    EXPECT_EQ(hex.Mid(4 + 4 * 0xAB, 4), wxString("[AB]"));
    EXPECT_EQ(hex.Right(4), wxString("[FF]"));
}

TEST(TerminalFormat, EmptyChunkLeavesTextsAlone) {
    wxString text = "a", hex = "[61]";
    FormatReceived(std::string(), text, hex);
    EXPECT_EQ(text, wxString("a"));
    EXPECT_EQ(hex, wxString("[61]"));
}

TEST(TerminalView, BelowTheLimitNothingIsDropped) {
    wxString view;
    AppendBounded(view, "abc", 16);
    AppendBounded(view, "defghijklmnop", 16);
    EXPECT_EQ(view, wxString("abcdefghijklmnop"));
    EXPECT_EQ(BoundedDropCount(10, 6, 16), 0u);
}

TEST(TerminalView, DropsTheOldestTextBeyondTheLimit) {
    const size_t limit = 1600;
    wxString view, all;
    for (int i = 0; i < 500; ++i) {
        const wxString piece = wxString::Format("<%d>", i);
        all += piece;
        AppendBounded(view, piece, limit);
        ASSERT_LE(view.length(), limit);
        // Always the newest text, whole and in order.
        ASSERT_TRUE(all.EndsWith(view)) << i;
    }
    EXPECT_GE(view.length(), limit - limit / 16 - 8);
    EXPECT_TRUE(view.EndsWith("<499>"));
    EXPECT_FALSE(view.Contains("<0>"));
}

TEST(TerminalView, TextLongerThanTheLimitKeepsItsEnd) {
    wxString view = "old";
    AppendBounded(view, "0123456789", 4);
    EXPECT_EQ(view, wxString("6789"));
}

TEST(TerminalView, DropCountIsBoundedByWhatIsThere) {
    EXPECT_EQ(BoundedDropCount(1000, 24, 1024), 0u);
    EXPECT_EQ(BoundedDropCount(1024, 1, 1024), 64u);  // steps of a sixteenth
    EXPECT_EQ(BoundedDropCount(1024, 65, 1024), 128u);
    EXPECT_EQ(BoundedDropCount(10, 1020, 1024), 10u);
    EXPECT_EQ(kTerminalViewLimit, 1024u * 1024u);
}

TEST_F(TerminalReceive, SmallTextArrivesInOrder) {
    Collected got;
    TerminalReceiver receiver(got.Sink(), got.Failure());
    receiver.Start();
    EXPECT_TRUE(receiver.Running());
    ASSERT_TRUE(master.Write(std::string("\x48\x69\x0D", 3)));
    EXPECT_EQ(got.WaitFor(3, 2000), std::string("\x48\x69\x0D", 3));
    ASSERT_TRUE(master.Write("second"));
    EXPECT_EQ(got.WaitFor(9, 2000), std::string("\x48\x69\x0D", 3) + "second");
    receiver.Stop();
    EXPECT_FALSE(receiver.Running());
    EXPECT_EQ(got.failures, 0);
}

TEST_F(TerminalReceive, BurstOf200KilobytesArrivesCompleteAndInOrder) {
    Collected got;
    TerminalReceiver receiver(got.Sink(), got.Failure());
    receiver.Start();
    const std::string sent = Pattern(200 * 1024);
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
    Collected got;
    TerminalReceiver receiver(got.Sink(), got.Failure());
    receiver.Start();
    ASSERT_TRUE(master.Write("abc"));
    EXPECT_EQ(got.WaitFor(3, 2000), "abc");
    receiver.Stop();
    ASSERT_TRUE(master.Write("def"));  // waits in the line while nobody reads
    receiver.Start();
    EXPECT_EQ(got.WaitFor(6, 2000), "abcdef");
    receiver.Stop();
}

TEST_F(TerminalReceive, PausedReceiverLeavesThePortAlone) {
    Collected got;
    TerminalReceiver receiver(got.Sink(), got.Failure());
    receiver.Start();
    receiver.SetPaused(true);
    EXPECT_TRUE(receiver.Paused());
    ASSERT_TRUE(master.Write("Z"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    {
        std::lock_guard<std::mutex> lock(got.mutex);
        EXPECT_TRUE(got.bytes.empty());
    }
    // The byte is still there for whoever uses the port meanwhile.
    EXPECT_EQ(comport.Read(), 'Z');
    ASSERT_TRUE(master.Write("Q"));
    receiver.SetPaused(false);
    EXPECT_EQ(got.WaitFor(1, 2000), "Q");
    receiver.Stop();
}

TEST_F(TerminalReceive, StopReturnsPromptlyWhileNothingArrives) {
    Collected got;
    TerminalReceiver receiver(got.Sink(), got.Failure());
    receiver.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const Clock::time_point start = Clock::now();
    receiver.Stop();
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count(), 500);
    EXPECT_TRUE(got.bytes.empty());
}

TEST_F(TerminalReceive, VanishedPortIsReportedAndReadingEnds) {
    Collected got;
    TerminalReceiver receiver(got.Sink(), got.Failure());
    receiver.Start();
    ASSERT_TRUE(master.Write("last"));
    EXPECT_EQ(got.WaitFor(4, 2000), "last");
    master.CloseFd();  // the adapter is pulled
    ASSERT_TRUE(got.WaitForFailure(3000));
    // The thread ends by itself; it does not keep spinning on the dead port.
    for (int i = 0; i < 100 && receiver.Running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(receiver.Running());
    EXPECT_FALSE(got.reason.empty());
    EXPECT_EQ(got.bytes, "last");
    EXPECT_EQ(got.failures, 1);
    receiver.Stop();
}
