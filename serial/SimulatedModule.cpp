#include "serial/SimulatedModule.h"

#include <algorithm>

#include "serial/DeviceProtocol.h"

using namespace protocol;
using Phase = SimulatedPhase;

namespace {

// A write that stops short is dropped after this gap, as the module's own time-out would.
constexpr auto kWriteGap = std::chrono::milliseconds(1500);

}  // namespace

SimulatedModule::SimulatedModule(const SimulatedOptions& options, Sender send)
    : SimulatedDevice(options, std::move(send)), record_(options.moduleRecord) {
    record_.resize(kModuleRecordBytes, 0);
}

bool SimulatedModule::Knows(const std::string& request) const {
    return request == kModuleConnect || request == kModuleRead || request == kModuleWrite;
}

void SimulatedModule::Request(const std::string& request) {
    if (options_.noModule) return;
    if (request == kModuleConnect) {
        Answer(Phase::ModuleConnect, kPrompt);
    } else if (request == kModuleRead) {
        if (!Answer(Phase::ReadPrompt, kPrompt)) return;
        if (options_.surplusPrompt) Send(kPrompt);
        const int count =
            FaultAt(Phase::ReadData) ? std::clamp(options_.faultIndex, 0, kModuleReadBytes) : kModuleReadBytes;
        for (int i = 0; i < count; ++i) Send(record_[i]);
    } else if (Answer(Phase::WritePrompt, kPrompt)) {
        incoming_.clear();
        receiving_ = true;
        lastByte_ = Clock::now();
    }
}

bool SimulatedModule::Take(unsigned char b) {
    if (!receiving_) return false;
    const Clock::time_point now = Clock::now();
    if (now - lastByte_ > kWriteGap) {
        receiving_ = false;
        return false;
    }
    lastByte_ = now;
    incoming_.push_back(b);
    if (static_cast<int>(incoming_.size()) == kModuleRecordBytes) {
        receiving_ = false;
        if (Answer(Phase::WriteEnd, kPrompt)) {
            record_ = incoming_;
            stored_.push_back(record_);
        }
    }
    return true;
}

std::vector<std::vector<unsigned char>> SimulatedModule::TakeStored() {
    std::vector<std::vector<unsigned char>> stored;
    stored.swap(stored_);
    return stored;
}
