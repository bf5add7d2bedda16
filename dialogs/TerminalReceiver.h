// The terminal's receive side without any window: a worker thread that takes every byte the
// open port delivers and hands it on in chunks (TerminalFormat makes lines of them).
#pragma once

#include <wx/string.h>

#include "serial/SerialSession.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// Reads the global `comport` on its own thread while it runs; nobody else may read the port
// then (sending is fine). Bytes are handed on in arrival order through `onBytes`, called on
// the worker thread, at the latest about 20 ms after the first byte of a chunk came (plus the
// port's read wait at the end of a burst). When the port fails (the device is gone) the thread
// hands on what it has, calls `onFailed` with the reason in words, and ends.
class TerminalReceiver {
public:
    using BytesSink = std::function<void(std::string bytes)>;
    using FailureSink = std::function<void(wxString reason)>;

    TerminalReceiver(BytesSink onBytes, FailureSink onFailed);
    ~TerminalReceiver();
    TerminalReceiver(const TerminalReceiver&) = delete;
    TerminalReceiver& operator=(const TerminalReceiver&) = delete;

    // Starts the thread unless it runs; a paused receiver stays paused.
    void Start();
    // Ends the thread and waits for it. Bytes already read have been handed on when it returns.
    void Stop();
    // True from Start until Stop, or until the thread ended on a failed port.
    bool Running() const { return running_; }

    // While paused the thread does not touch the port. Pausing returns once the thread is out
    // of its read, so the caller may then use or close the port itself.
    void SetPaused(bool paused);

    // Largest chunk handed on at once.
    static constexpr std::size_t kChunkBytes = 4096;

private:
    void Loop();

    BytesSink onBytes_;
    FailureSink onFailed_;
    SerialSession port_;  // used on the worker thread only, once started
    std::thread thread_;
    std::atomic<bool> running_{false};

    std::mutex mutex_;  // guards the flags below
    std::condition_variable wake_;
    bool stop_ = false;
    bool paused_ = false;
    bool idle_ = true;  // the thread is not inside a read
};
