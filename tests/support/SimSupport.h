// What the device tests against the simulated controller, bridge and module share.
#pragma once

#include "serial/SimulatedController.h"

#include <wx/string.h>

#include <string>
#include <vector>

namespace simtest {

using Bytes = std::vector<unsigned char>;
using Sim = SimulatedController;

inline std::string Utf8(const wxString& s) { return std::string(s.utf8_str()); }

// A simulator that goes wrong at `phase` (at byte or block `index` where the phase counts them):
// silent when `mute`, else answering a wrong byte.
inline Sim::Options Fault(Sim::Phase phase, int index = 0, bool mute = false) {
    Sim::Options options;
    options.faultPhase = phase;
    options.faultIndex = index;
    options.faultMute = mute;
    return options;
}

}  // namespace simtest
