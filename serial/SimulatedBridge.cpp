#include "serial/SimulatedBridge.h"

#include "serial/DeviceProtocol.h"

using namespace protocol;

bool SimulatedBridge::Knows(const std::string& request) const {
    return request == kBusSwitch || request == kBridgeReset;
}

void SimulatedBridge::Request(const std::string& request) {
    if (request == kBusSwitch) {
        settingsLeft_ = kBusSettingBytes;
    } else if (Answer(SimulatedPhase::BridgeO, kBridgeOk[0])) {
        Answer(SimulatedPhase::BridgeK, kBridgeOk[1]);
    }
}

bool SimulatedBridge::Take(unsigned char) {
    // The bus settings' meaning is the bridge's own business; they are only counted.
    if (settingsLeft_ == 0) return false;
    --settingsLeft_;
    return true;
}
