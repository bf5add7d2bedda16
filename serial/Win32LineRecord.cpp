#include "serial/Win32LineRecord.h"

#include <algorithm>

namespace comport_backend {

namespace {

std::uint8_t ParityCode(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return dcb::OddParity;
        case Parity::Even:
            return dcb::EvenParity;
        case Parity::None:
            break;
    }
    return dcb::NoParity;
}

// The rules Microsoft documents for SetCommState, the DCB and BuildCommDCB, each with what it
// says when broken. The queue limits are what the serial driver checks when it takes them over.
struct Rule {
    bool (*broken)(const Win32LineRecord& r, unsigned rxQueue);
    const char* text;
};

const Rule kRules[] = {
    {[](const Win32LineRecord& r, unsigned) { return r.BaudRate == 0; }, "BaudRate is 0"},
    {[](const Win32LineRecord& r, unsigned) { return !r.fBinary; }, "fBinary must be TRUE"},
    {[](const Win32LineRecord& r, unsigned) { return r.fDtrControl > dcb::DtrHandshake; }, "fDtrControl unknown"},
    {[](const Win32LineRecord& r, unsigned) { return r.fRtsControl > dcb::RtsToggle; }, "fRtsControl unknown"},
    {[](const Win32LineRecord& r, unsigned) { return r.ByteSize < 5 || r.ByteSize > 8; }, "ByteSize not 5 to 8"},
    {[](const Win32LineRecord& r, unsigned) { return r.Parity > dcb::SpaceParity; }, "Parity unknown"},
    {[](const Win32LineRecord& r, unsigned) { return r.StopBits > dcb::TwoStopBits; }, "StopBits unknown"},
    {[](const Win32LineRecord& r, unsigned) { return r.ByteSize == 5 && r.StopBits == dcb::TwoStopBits; },
     "5 data bits with 2 stop bits"},
    {[](const Win32LineRecord& r, unsigned) { return r.ByteSize > 5 && r.StopBits == dcb::One5StopBits; },
     "6 to 8 data bits with 1.5 stop bits"},
    {[](const Win32LineRecord& r, unsigned) { return r.XonChar == r.XoffChar; }, "XonChar equals XoffChar"},
    {[](const Win32LineRecord& r, unsigned) { return r.XoffLim == 0; }, "XoffLim is 0"},
    {[](const Win32LineRecord& r, unsigned q) { return q != 0 && r.XonLim > q; }, "XonLim exceeds the input queue"},
    {[](const Win32LineRecord& r, unsigned q) { return q != 0 && r.XoffLim > q; }, "XoffLim exceeds the input queue"}};

}  // namespace

Win32LineRecord BuildLineRecord(const Win32LineRecord& current, const LineSettings& line, unsigned rxQueue) {
    Win32LineRecord r = current;
    r.BaudRate = line.baud > 0 ? static_cast<std::uint32_t>(line.baud) : 0;
    r.ByteSize = static_cast<std::uint8_t>(std::clamp(line.dataBits, 0, 255));
    r.fBinary = true;  // Windows knows no other mode
    r.fParity = r.fOutxCtsFlow = r.fOutxDsrFlow = r.fDsrSensitivity = r.fTXContinueOnXoff = false;
    r.fOutX = r.fInX = r.fErrorChar = r.fNull = r.fAbortOnError = false;
    r.fDtrControl = dcb::DtrDisable;
    r.fRtsControl = dcb::RtsDisable;
    r.Parity = ParityCode(line.parity);
    r.StopBits = !line.twoStopBits ? dcb::OneStopBit : line.dataBits == 5 ? dcb::One5StopBits : dcb::TwoStopBits;
    // With XON/XOFF off these go unused, but SetCommState refuses equal ones: the usual pair.
    r.XonChar = 0x11;
    r.XoffChar = 0x13;
    r.ErrorChar = r.EofChar = r.EvtChar = 0;
    // No flow control uses the limits either; they must still fit the driver's queue, and XoffLim
    // is never 0. A driver that does not tell its queue keeps the limits it reported.
    if (rxQueue != 0) {
        r.XonLim = r.XoffLim = static_cast<std::uint16_t>(std::clamp(rxQueue / 4, 1u, 0xFFFFu));
    } else if (r.XoffLim == 0) {
        r.XoffLim = 1;
    }
    return r;
}

std::vector<std::string> BrokenLineRules(const Win32LineRecord& record, unsigned rxQueue) {
    std::vector<std::string> broken;
    for (const Rule& rule : kRules)
        if (rule.broken(record, rxQueue)) broken.push_back(rule.text);
    return broken;
}

}  // namespace comport_backend
