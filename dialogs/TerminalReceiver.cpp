#include "dialogs/TerminalReceiver.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// A chunk is handed on after this long even while bytes keep coming.
constexpr auto kChunkAge = std::chrono::milliseconds(20);
// How long the thread rests when the port is not open, before it looks again.
constexpr auto kClosedRest = std::chrono::milliseconds(20);

}  // namespace

TerminalReceiver::TerminalReceiver(BytesSink onBytes, FailureSink onFailed)
    : onBytes_(std::move(onBytes)), onFailed_(std::move(onFailed)) {}

TerminalReceiver::~TerminalReceiver() { Stop(); }

void TerminalReceiver::Start() {
    if (thread_.joinable()) {
        if (running_) return;
        thread_.join();  // ended on a failed port; start afresh
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = false;
        idle_ = true;
    }
    port_.UseOpenPort();  // the terminal opened it; a failure now means the device is gone
    running_ = true;
    thread_ = std::thread(&TerminalReceiver::Loop, this);
}

void TerminalReceiver::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    running_ = false;
}

void TerminalReceiver::SetPaused(bool paused) {
    std::unique_lock<std::mutex> lock(mutex_);
    paused_ = paused;
    wake_.notify_all();
    if (paused && thread_.joinable() && running_) wake_.wait(lock, [this] { return idle_ || stop_ || !running_; });
}

void TerminalReceiver::Loop() {
    std::string chunk;
    Clock::time_point chunkStart;
    auto handOn = [&] {
        if (chunk.empty()) return;
        if (onBytes_) onBytes_(std::move(chunk));
        chunk.clear();
    };

    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (stop_) break;
            if (paused_ || (!port_.IsOpen() && chunk.empty())) {
                idle_ = true;
                wake_.notify_all();
                if (paused_)
                    wake_.wait(lock, [this] { return stop_ || !paused_; });
                else
                    wake_.wait_for(lock, kClosedRest, [this] { return stop_ || paused_; });
                continue;
            }
            idle_ = false;
        }

        const int byte = port_.Read();
        if (byte >= 0) {
            if (chunk.empty()) chunkStart = Clock::now();
            chunk.push_back(static_cast<char>(byte));
            if (chunk.size() >= kChunkBytes || Clock::now() - chunkStart >= kChunkAge) handOn();
            continue;
        }
        // Nothing came within the read wait: what there is goes on now.
        handOn();
        if (byte == SerialSession::kPortGone) {
            const wxString reason = port_.LostReason();
            {
                std::lock_guard<std::mutex> lock(mutex_);
                idle_ = true;
            }
            running_ = false;
            wake_.notify_all();
            if (onFailed_) onFailed_(reason);
            return;
        }
    }
    handOn();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        idle_ = true;
    }
    wake_.notify_all();
}
