// The devices on the serial line, on the master side of a pseudo-terminal, for the device tests
// and `tqc-cli simulate`. Point `comport` at SlavePath().
// - The controller's start-up loader answers "(***:PROG)" with ">", takes the two length bytes
//   and the 128-byte blocks, and answers each "?" with the next stored byte.
// - The bus bridge takes "(***:BUSW)" with four bytes and answers "(***:RSTQ)" with "OK".
// - One button-panel module answers "(***:CONN)" with ">", "(***:KONR)" with ">" and the first
//   80 bytes of its record, and "(***:KONW)" with ">", then stores the 120 bytes that follow and
//   confirms with ">".
// Options make each step stay silent or answer wrongly so that every failure path can be exercised.
// Linux (POSIX pseudo-terminals) only; elsewhere Start() fails.
#pragma once

#include <atomic>
#include <chrono>
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
        ReadBack,    // the byte read back for index faultIndex
        BridgeO,     // the bridge's "O" after "(***:RSTQ)" (mute: no bridge on the line)
        BridgeK,     // the bridge's "K"
        ModuleConnect,  // the module's ">" after "(***:CONN)" (mute: no module on the bus)
        ReadPrompt,  // the ">" after "(***:KONR)"
        ReadData,    // the record after "(***:KONR)": only faultIndex of its 80 bytes are sent
        WritePrompt, // the ">" after "(***:KONW)"
        WriteEnd     // the ">" after the 120 bytes of a write (the record is not stored)
    };

    struct Options {
        int silentRequests = 0;     // ignore the first N "(***:PROG)" (controller still off)
        std::string silentReply;    // bytes sent for each ignored request (line noise)
        std::string connectPrefix;  // bytes sent before the ">" that answers the request
        Phase faultPhase = Phase::None;
        int faultIndex = 0;
        bool faultMute = false;         // at the fault say nothing instead of a wrong byte
        unsigned char wrongByte = '#';  // sent instead of a prompt (read-back: the byte inverted)
        // The module's stored record, 4 bytes per row (key high, low, LED high, low), padded
        // with 0 to 120 bytes.
        std::vector<unsigned char> moduleRecord;
    };

    static constexpr int kModuleRecordBytes = 120;
    static constexpr int kModuleReadBytes = 80;

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
    // Every request recognised, in order, as "(***:RSTQ)@115200": the line speed the port was
    // set to when the request arrived.
    std::vector<std::string> RequestLog() const;
    // The module's record: 120 bytes, as last written or as given in the options.
    std::vector<unsigned char> ModuleRecord() const;
    // Writes the module stored (all 120 bytes arrived and were confirmed).
    int ModuleWrites() const;

    // Called on the loader's thread when a transfer's data ends with "E": the stored blocks and
    // the announced length. Set before Start().
    std::function<void(const std::vector<unsigned char>& image, int length)> onImage;
    // Called on the device thread with each entry of RequestLog() as it is recognised, and with
    // the record after each stored write. Set before Start().
    std::function<void(const std::string& request)> onRequest;
    std::function<void(const std::vector<unsigned char>& record)> onModuleWrite;

private:
    enum class State { Idle, LengthHigh, LengthLow, Data, NextOrEnd, Verify, BusSwitch, ModuleData };

    void Loop();
    void Feed(unsigned char b);
    void Answer(unsigned char b);
    void AnswerText(const std::string& text);
    // Sends the prompt unless the fault is at this point; false when the fault struck.
    bool Prompt(Phase phase, int index, unsigned char prompt);
    void CloseAll();
    int LineSpeed() const;
    void Request(const std::string& request);
    // A module or bridge answer: the prompt unless the fault is at this phase.
    bool DeviceAnswer(Phase phase, const std::string& answer);

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
    std::vector<std::string> requestLog_;
    std::vector<std::string> pendingRequests_;   // for onRequest, outside the lock
    std::vector<unsigned char> module_;
    std::vector<unsigned char> incoming_;        // the write being received
    std::vector<std::vector<unsigned char>> pendingWrites_;  // for onModuleWrite, outside the lock
    int moduleWrites_ = 0;
    int busBytes_ = 0;
    std::chrono::steady_clock::time_point lastByte_;
};
