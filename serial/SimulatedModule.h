// One button-panel module on the bus: answers "(***:CONN)" with ">", "(***:KONR)" with ">" and
// the first 80 bytes of its record, and "(***:KONW)" with ">", then stores the 120 bytes that
// follow and confirms with ">".
#pragma once

#include <chrono>

#include "serial/SimulatedDevice.h"

class SimulatedModule : public SimulatedDevice {
public:
    SimulatedModule(const SimulatedOptions& options, Sender send);

    bool Knows(const std::string& request) const override;
    void Request(const std::string& request) override;
    bool Take(unsigned char b) override;
    void Reset() override { receiving_ = false; }

    // 120 bytes, as last written or as given in the options.
    const std::vector<unsigned char>& Record() const { return record_; }
    // The records stored since the last call.
    std::vector<std::vector<unsigned char>> TakeStored();

private:
    using Clock = std::chrono::steady_clock;

    std::vector<unsigned char> record_;
    std::vector<unsigned char> incoming_;  // the write being received
    bool receiving_ = false;
    Clock::time_point lastByte_;
    std::vector<std::vector<unsigned char>> stored_;
};
