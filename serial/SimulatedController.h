// A controller's start-up loader on the master side of a pseudo-terminal, for the device tests and
// `tqc-cli simulate`. Point `comport` at SlavePath(). It answers "(***:PROG)" with ">", takes the
// two length bytes and the 128-byte blocks, and answers each "?" with the next stored byte.
// Options make it stay silent or answer wrongly so that every failure path can be exercised.
// Linux (POSIX pseudo-terminals) only; elsewhere Start() fails.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <wx/string.h>

class SimulatedController {
public:
    // Where the loader answers wrongly (or not at all, with faultMute).
    enum class Phase {
        None,
        HighByte,    // instead of the ">" after the high length byte
        BeforeByte,  // instead of the ">" that asks for byte faultIndex
        BlockEnd,    // instead of the "*" after block faultIndex (counted from 0)
        DataEnd,     // instead of the "<" after "E"
        ReadBack     // the byte read back for index faultIndex
    };

    struct Options {
        int silentRequests = 0;     // ignore the first N "(***:PROG)" (controller still off)
        std::string silentReply;    // bytes sent for each ignored request (line noise)
        std::string connectPrefix;  // bytes sent before the ">" that answers the request
        Phase faultPhase = Phase::None;
        int faultIndex = 0;
        bool faultMute = false;         // at the fault say nothing instead of a wrong byte
        unsigned char wrongByte = '#';  // sent instead of a prompt (read-back: the byte inverted)
    };

    SimulatedController();
    explicit SimulatedController(const Options& options);
    ~SimulatedController();
    SimulatedController(const SimulatedController&) = delete;
    SimulatedController& operator=(const SimulatedController&) = delete;

    // Opens the pseudo-terminal and starts the loader's thread; false with ErrorText() on failure.
    bool Start();
    // The device path to give comport, for example /dev/pts/3.
    wxString SlavePath() const { return slavePath_; }
    wxString ErrorText() const { return error_; }
    // Ends the thread (joins it); the pseudo-terminal stays open.
    void Stop();
    // Stops and closes the master: the port disappears under whoever has it open, like a
    // USB adapter being pulled.
    void Vanish();

    // Every byte received since Start, in order.
    std::vector<unsigned char> Received() const;
    // The bytes stored by the latest transfer (whole blocks, so a multiple of 128).
    std::vector<unsigned char> Image() const;
    // The length announced by the latest transfer's two length bytes, -1 before any.
    int ImageLength() const;
    // "(***:PROG)" requests seen, answered or not.
    int Requests() const;
    // "?" requests answered in the latest transfer.
    int ReadBacks() const;
    // Transfers whose data ended with "E".
    int CompletedImages() const;

    // Called on the loader's thread when a transfer's data ends with "E": the stored blocks and
    // the announced length. Set before Start().
    std::function<void(const std::vector<unsigned char>& image, int length)> onImage;

private:
    enum class State { Idle, LengthHigh, LengthLow, Data, NextOrEnd, Verify };

    void Loop();
    void Feed(unsigned char b);
    void Answer(unsigned char b);
    void AnswerText(const std::string& text);
    // Sends the prompt unless the fault is at this point; false when the fault struck.
    bool Prompt(Phase phase, int index, unsigned char prompt);
    void CloseAll();

    Options options_;
    wxString slavePath_;
    wxString error_;
    int master_ = -1;
    int slave_ = -1;      // held open so the master does not hang up between port users
    int wake_[2] = {-1, -1};  // self-pipe that wakes the thread's poll to stop
    std::thread thread_;
    std::atomic<bool> stop_{false};

    mutable std::mutex mutex_;  // guards everything below
    std::vector<unsigned char> received_;
    std::vector<unsigned char> image_;
    std::string request_;  // the last bytes seen while idle, to spot "(***:PROG)"
    State state_ = State::Idle;
    int requests_ = 0;
    int lengthHigh_ = 0;
    int length_ = -1;
    int readIndex_ = 0;
    int completed_ = 0;
};
