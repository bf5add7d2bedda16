// The devices on the serial line, on the master side of a pseudo-terminal, for the device tests
// and `tqc-cli simulate`: the controller's loader, the bus bridge and one button-panel module
// (SimulatedLoader, SimulatedBridge, SimulatedModule), each answering its own requests. Point
// `comport` at SlavePath(). Options make each step stay silent or answer wrongly so that every
// failure path can be exercised.
// Linux (POSIX pseudo-terminals) only; elsewhere Start() fails.
#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <wx/string.h>

#include "serial/DeviceProtocol.h"
#include "serial/SimulatedBridge.h"
#include "serial/SimulatedLoader.h"
#include "serial/SimulatedModule.h"

class SimulatedController {
public:
    using Phase = SimulatedPhase;
    using Options = SimulatedOptions;

    static constexpr int kModuleRecordBytes = protocol::kModuleRecordBytes;
    static constexpr int kModuleReadBytes = protocol::kModuleReadBytes;

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
    // Transfers whose data ended with "E".
    int CompletedImages() const;
    // Every request recognised, in order, as "(***:RSTQ)@115200": the line speed the port was
    // set to when the request arrived.
    std::vector<std::string> RequestLog() const;
    // The module's record: 120 bytes, as last written or as given in the options.
    std::vector<unsigned char> ModuleRecord() const;
    // Seconds the answers were held back (latencyMs, lateMs), as the device thread slept them.
    double Delayed() const;

    // Called on the loader's thread when a transfer's data ends with "E": the stored blocks and
    // the announced length. Set before Start().
    std::function<void(const std::vector<unsigned char>& image, int length)> onImage;
    // Called on the device thread with each entry of RequestLog() as it is recognised, and with
    // the record after each stored write. Set before Start().
    std::function<void(const std::string& request)> onRequest;
    std::function<void(const std::vector<unsigned char>& record)> onModuleWrite;

private:
    void Loop();
    void Feed(unsigned char b);
    void Answer(unsigned char b);
    // Writes one byte to the port user, waiting a while when the line is full.
    void Write(unsigned char b);
    // Sleeps on the device thread, cut short by Stop(); false when stopped.
    bool Delay(int ms);
    void CloseAll();
    int LineSpeed() const;
    std::array<SimulatedDevice*, 3> Devices() { return {&loader_, &bridge_, &module_}; }

    wxString slavePath_;
    wxString error_;
    int master_ = -1;
    int slave_ = -1;          // held open so the master does not hang up between port users
    int wake_[2] = {-1, -1};  // self-pipe that wakes the thread's poll to stop
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<double> delayed_{0};

    mutable std::mutex mutex_;  // guards everything below
    SimulatedLoader loader_;
    SimulatedBridge bridge_;
    SimulatedModule module_;
    std::vector<unsigned char> received_;
    std::string request_;  // the last bytes that were no device's, to spot the next request
    std::vector<std::string> requestLog_;
    std::vector<std::string> pendingRequests_;  // for onRequest, outside the lock
    std::vector<unsigned char> outgoing_;       // the devices' answer to the bytes just read
    const SimulatedOptions options_;
    int answers_ = 0;  // answers written so far (device thread only)
};
