// The controller's start-up loader: answers "(***:PROG)" with ">", takes the two length bytes
// and the 128-byte blocks, each byte asked for with ">" and each block confirmed with "*", ends
// the data after "E" with "<" and answers each "?" with the next stored byte.
#pragma once

#include "serial/SimulatedDevice.h"

class SimulatedLoader : public SimulatedDevice {
public:
    using SimulatedDevice::SimulatedDevice;

    bool Knows(const std::string& request) const override;
    void Request(const std::string& request) override;
    bool Take(unsigned char b) override;
    void Reset() override { state_ = State::Idle; }

    // The stored bytes of the latest transfer (whole blocks).
    const std::vector<unsigned char>& Image() const { return image_; }
    // Announced by the two length bytes, -1 before any.
    int Length() const { return length_; }
    int Completed() const { return completed_; }

private:
    enum class State { Idle, LengthHigh, LengthLow, Data, NextOrEnd, Verify };

    // The prompt unless the fault is at this point; at the fault the loader gives up.
    bool Prompt(SimulatedPhase phase, int index, unsigned char prompt);

    State state_ = State::Idle;
    std::vector<unsigned char> image_;
    int requests_ = 0;
    int lengthHigh_ = 0;
    int length_ = -1;
    int readIndex_ = 0;
    int completed_ = 0;
};
