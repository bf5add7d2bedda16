// What the simulated devices on the line share: the options that make one of them go wrong, and
// the base each device builds on. SimulatedController runs them on one pseudo-terminal.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Where a device answers wrongly (or not at all, with faultMute).
enum class SimulatedPhase {
    None,
    HighByte,       // loader: instead of the ">" after the high length byte
    BeforeByte,     // loader: instead of the ">" that asks for byte faultIndex
    BlockEnd,       // loader: instead of the "*" after block faultIndex (counted from 0)
    DataEnd,        // loader: instead of the "<" after "E"
    ReadBack,       // loader: the byte read back for index faultIndex
    BridgeO,        // the bridge's "O" after "(***:RSTQ)" (mute: no bridge on the line)
    BridgeK,        // the bridge's "K"
    ModuleConnect,  // the module's ">" after "(***:CONN)" (mute: no module on the bus)
    ReadPrompt,     // the ">" after "(***:KONR)"
    ReadData,       // the record after "(***:KONR)": only faultIndex of its 80 bytes are sent
    WritePrompt,    // the ">" after "(***:KONW)"
    WriteEnd        // the ">" after the 120 bytes of a write (the record is not stored)
};

// The phases by name, in the order above, for tests and `tqc-cli simulate --fault`.
constexpr const char* kSimulatedPhaseNames[] = {"None",     "HighByte",    "BeforeByte", "BlockEnd",      "DataEnd",
                                                "ReadBack", "BridgeO",     "BridgeK",    "ModuleConnect", "ReadPrompt",
                                                "ReadData", "WritePrompt", "WriteEnd"};

struct SimulatedOptions {
    int silentRequests = 0;     // ignore the first N "(***:PROG)" (controller still off)
    std::string silentReply;    // bytes sent for each ignored request (line noise)
    std::string connectPrefix;  // bytes sent before the ">" that answers the request
    SimulatedPhase faultPhase = SimulatedPhase::None;
    int faultIndex = 0;
    bool faultMute = false;         // at the fault say nothing instead of a wrong byte
    unsigned char wrongByte = '#';  // sent instead of a prompt (read-back: the byte inverted)
    // The module's stored record, 4 bytes per row (key high, low, LED high, low), padded
    // with 0 to 120 bytes.
    std::vector<unsigned char> moduleRecord;
    // What the real line adds: bytes waiting in the port before the first request (an answer of
    // the running program, a ">" from an earlier session); every answer latencyMs late, as a USB
    // adapter's latency timer holds it back; answer number lateAnswer (counted from 0) lateMs
    // later still; and a module that sends ">" twice before its record.
    std::string stale;
    int latencyMs = 0;
    int lateAnswer = -1;
    int lateMs = 0;
    bool surplusPrompt = false;
    // No module on the bus: the bridge answers, but every module request goes unanswered.
    bool noModule = false;
};

// The options of `tqc-cli simulate` from its words; false with `error` naming the bad word.
bool ParseSimulatedOptions(const std::vector<std::string>& args, SimulatedOptions& options, std::string& error);

// One device on the line. The runner hands it every byte while it may be inside an exchange,
// and the requests addressed to it. All calls come on the runner's thread, under its lock.
class SimulatedDevice {
public:
    using Sender = std::function<void(unsigned char)>;

    SimulatedDevice(const SimulatedOptions& options, Sender send) : options_(options), send_(std::move(send)) {}
    virtual ~SimulatedDevice() = default;

    virtual bool Knows(const std::string& request) const = 0;
    // A request for this device; every device has been Reset() first.
    virtual void Request(const std::string& request) = 0;
    // False when the byte is not part of an exchange of this device: it then counts toward the
    // next request.
    virtual bool Take(unsigned char b) = 0;
    // Another request came: the device leaves its exchange.
    virtual void Reset() = 0;

protected:
    void Send(unsigned char b) { send_(b); }
    void Send(const std::string& text) {
        for (char c : text) send_(static_cast<unsigned char>(c));
    }
    // Whether the options put the fault at `phase`, at `index` where the phase counts (-1: it
    // does not).
    bool FaultAt(SimulatedPhase phase, int index = -1) const {
        return options_.faultPhase == phase && (index < 0 || index == options_.faultIndex);
    }
    // Sends `answer` unless the fault is here: then the wrong byte, or nothing when mute.
    // False when the fault struck.
    bool Answer(SimulatedPhase phase, const std::string& answer, int index = -1) {
        if (FaultAt(phase, index)) {
            if (!options_.faultMute) Send(options_.wrongByte);
            return false;
        }
        Send(answer);
        return true;
    }
    bool Answer(SimulatedPhase phase, unsigned char answer, int index = -1) {
        return Answer(phase, std::string(1, static_cast<char>(answer)), index);
    }

    const SimulatedOptions options_;

private:
    Sender send_;
};
