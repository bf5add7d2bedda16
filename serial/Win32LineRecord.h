// The line settings record that the Windows backend hands to SetCommState, as a portable mirror
// of the device control block's fields, so that it can be built and checked on any platform:
// Wine accepts records that Windows refuses, so only a check against Microsoft's rules finds them.
#pragma once

#include "serial/ComportBackend.h"

#include <cstdint>
#include <string>
#include <vector>

namespace comport_backend {

// The codes Windows defines for the record's fields (winbase.h), spelled out for other platforms.
namespace dcb {
enum : std::uint8_t { NoParity = 0, OddParity = 1, EvenParity = 2, MarkParity = 3, SpaceParity = 4 };
enum : std::uint8_t { OneStopBit = 0, One5StopBits = 1, TwoStopBits = 2 };
enum : std::uint8_t { DtrDisable = 0, DtrHandshake = 2, RtsDisable = 0, RtsToggle = 3 };
}  // namespace dcb

// Every field of the record that TqC writes, named as in the DCB.
struct Win32LineRecord {
    std::uint32_t BaudRate = 0;
    bool fBinary = false, fParity = false, fOutxCtsFlow = false, fOutxDsrFlow = false;
    std::uint8_t fDtrControl = dcb::DtrDisable;
    bool fDsrSensitivity = false, fTXContinueOnXoff = false, fOutX = false, fInX = false;
    bool fErrorChar = false, fNull = false;
    std::uint8_t fRtsControl = dcb::RtsDisable;
    bool fAbortOnError = false;
    std::uint16_t XonLim = 0, XoffLim = 0;
    std::uint8_t ByteSize = 0, Parity = dcb::NoParity, StopBits = dcb::OneStopBit;
    char XonChar = 0, XoffChar = 0, ErrorChar = 0, EofChar = 0, EvtChar = 0;
};

// The port's current record changed to `line`: raw bytes, no flow control of any kind, DTR and
// RTS off. `rxQueue` is the driver's input queue in bytes (0 when it does not say). Five data
// bits with two stop bits become 1.5 stop bits, which is what a UART sends for that request.
Win32LineRecord BuildLineRecord(const Win32LineRecord& current, const LineSettings& line, unsigned rxQueue);

// The documented rules of SetCommState and the DCB that `record` breaks, one line each; empty
// when Windows has no reason to refuse it.
std::vector<std::string> BrokenLineRules(const Win32LineRecord& record, unsigned rxQueue);

}  // namespace comport_backend
