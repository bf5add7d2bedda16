// The bus bridge: takes "(***:BUSW)" with its four bus settings and answers "(***:RSTQ)" with
// "OK".
#pragma once

#include "serial/SimulatedDevice.h"

class SimulatedBridge : public SimulatedDevice {
public:
    using SimulatedDevice::SimulatedDevice;

    bool Knows(const std::string& request) const override;
    void Request(const std::string& request) override;
    bool Take(unsigned char b) override;
    void Reset() override { settingsLeft_ = 0; }

private:
    int settingsLeft_ = 0;  // bus setting bytes still to come after "(***:BUSW)"
};
