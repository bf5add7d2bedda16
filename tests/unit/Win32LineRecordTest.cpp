// The record the Windows backend writes with SetCommState, held to Microsoft's rules for every
// line the program can ask for: Wine takes records that Windows refuses, so only this finds them.
#include <gtest/gtest.h>

#include "serial/Win32LineRecord.h"

namespace {

using namespace comport_backend;

std::string Joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const std::string& text : texts) all += text + "; ";
    return all;
}

TEST(Win32LineRecord, EveryLineTheProgramAsksForKeepsEveryRuleAndIsTheLineAsked) {
    Win32LineRecord windows;  // what a serial driver reports after boot
    windows.BaudRate = 9600, windows.fBinary = true, windows.ByteSize = 8, windows.XonLim = 2048, windows.XoffLim = 512;
    windows.XonChar = 0x11, windows.XoffChar = 0x13;
    Win32LineRecord zeros;                // a driver that reports nothing set
    Win32LineRecord handshake = windows;  // left behind by a program that used every kind of flow control
    handshake.fOutX = handshake.fInX = handshake.fOutxCtsFlow = handshake.fOutxDsrFlow = handshake.fDsrSensitivity =
        true;
    handshake.fNull = handshake.fErrorChar = handshake.fAbortOnError = handshake.fParity = true;
    handshake.fDtrControl = dcb::DtrHandshake, handshake.fRtsControl = dcb::RtsToggle;
    handshake.XonLim = 60000, handshake.XoffLim = 60000, handshake.EvtChar = '\n', handshake.EofChar = 0x1A;

    int checked = 0;
    for (const Win32LineRecord& current : {windows, zeros, handshake})
        for (unsigned queue : {4096u, 0u, 16u, 1u})
            for (int baud : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 110, 250000, 921600})
                for (int bits = 5; bits <= 8; ++bits)
                    for (Parity parity : {Parity::None, Parity::Odd, Parity::Even})
                        for (bool two : {false, true}) {
                            const LineSettings line{baud, bits, parity, two};
                            const Win32LineRecord r = BuildLineRecord(current, line, queue);
                            const std::string asked = std::to_string(baud) + " " + std::to_string(bits) + "/" +
                                                      std::to_string(int(parity)) + "/" + (two ? "2" : "1") +
                                                      " queue " + std::to_string(queue);
                            ++checked;
                            EXPECT_EQ(Joined(BrokenLineRules(r, queue)), "") << asked;
                            const int stop = !two ? dcb::OneStopBit : bits == 5 ? dcb::One5StopBits : dcb::TwoStopBits;
                            const int code[] = {dcb::NoParity, dcb::OddParity, dcb::EvenParity};
                            EXPECT_TRUE(r.BaudRate == unsigned(baud) && r.ByteSize == bits && r.StopBits == stop &&
                                        r.Parity == code[int(parity)] && r.fBinary)
                                << asked;
                            // Raw bytes both ways: nothing held back, replaced, dropped or signalled.
                            EXPECT_FALSE(r.fParity || r.fOutxCtsFlow || r.fOutxDsrFlow || r.fDsrSensitivity ||
                                         r.fTXContinueOnXoff || r.fOutX || r.fInX || r.fErrorChar || r.fNull ||
                                         r.fAbortOnError || r.fDtrControl != dcb::DtrDisable ||
                                         r.fRtsControl != dcb::RtsDisable)
                                << asked;
                        }
    EXPECT_EQ(checked, 3 * 4 * 11 * 4 * 3 * 2);
}

// Each rule is found on its own, so a record that breaks it cannot pass unnoticed.
TEST(Win32LineRecord, EachBrokenRuleIsNamed) {
    const Win32LineRecord good = BuildLineRecord({}, LineSettings{}, 4096);
    const struct {
        int line;
        void (*breakIt)(Win32LineRecord&);
        const char* rule;
    } rows[] = {
        {__LINE__, [](Win32LineRecord& r) { r.BaudRate = 0; }, "BaudRate is 0; "},
        {__LINE__, [](Win32LineRecord& r) { r.fBinary = false; }, "fBinary must be TRUE; "},
        {__LINE__, [](Win32LineRecord& r) { r.fDtrControl = 3; }, "fDtrControl unknown; "},
        {__LINE__, [](Win32LineRecord& r) { r.fRtsControl = 4; }, "fRtsControl unknown; "},
        {__LINE__, [](Win32LineRecord& r) { r.ByteSize = 4; }, "ByteSize not 5 to 8; "},
        {__LINE__, [](Win32LineRecord& r) { r.ByteSize = 9; }, "ByteSize not 5 to 8; "},
        {__LINE__, [](Win32LineRecord& r) { r.Parity = 5; }, "Parity unknown; "},
        {__LINE__, [](Win32LineRecord& r) { r.StopBits = 3; }, "StopBits unknown; "},
        {__LINE__, [](Win32LineRecord& r) { r.ByteSize = 5, r.StopBits = dcb::TwoStopBits; },
         "5 data bits with 2 stop bits; "},
        {__LINE__, [](Win32LineRecord& r) { r.StopBits = dcb::One5StopBits; }, "6 to 8 data bits with 1.5 stop bits; "},
        {__LINE__, [](Win32LineRecord& r) { r.XonChar = r.XoffChar = 0; }, "XonChar equals XoffChar; "},
        {__LINE__, [](Win32LineRecord& r) { r.XoffLim = 0; }, "XoffLim is 0; "},
        {__LINE__, [](Win32LineRecord& r) { r.XonLim = 4097; }, "XonLim exceeds the input queue; "},
        {__LINE__, [](Win32LineRecord& r) { r.XoffLim = 4097; }, "XoffLim exceeds the input queue; "}};
    EXPECT_EQ(Joined(BrokenLineRules(good, 4096)), "");
    for (const auto& row : rows) {
        Win32LineRecord r = good;
        row.breakIt(r);
        EXPECT_EQ(Joined(BrokenLineRules(r, 4096)), row.rule) << "case at line " << row.line;
    }
}

}  // namespace
