// The serial port, and the bracket notation for raw bytes ("[0D]" stands for the byte 13).
// One port is open at a time in the whole program; opening one closes the one before.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <cstddef>
#include <vector>

class Comport {
public:
    // Opens `port` (a device path such as /dev/ttyUSB0 on Linux, COM3 on Windows) raw, 8 data
    // bits or as given, parity "N"/"O"/"E" (anything else: none), one stop bit unless 2.
    // false when it cannot be opened or set up; ErrorCode() and ErrorText() then say why.
    bool Open(const wxString& port, int baud, int dataBits, const wxString& parity, int stopBits);
    // 1 when port number n exists (COMn on Windows; on Linux the n-th entry of ListPorts()).
    int Exist(int n);
    // One port the system knows: its name for Open, and what tells the user which adapter it is.
    struct PortInfo {
        wxString name, description, vid, pid, serial;
        // "COM7 — USB-SERIAL CH340", or the bare name when there is no description.
        wxString Shown() const;
    };
    // The serial devices that exist, in a stable order (Linux: device paths).
    static std::vector<PortInfo> ListPortInfos();
    static wxArrayString ListPorts();
    // Drops whatever arrived and was not read yet (stale answers, noise).
    void DiscardInput();
    // The last Open failed because another program holds the port.
    bool InUseByOther() const;
    // After Open: why the adapter could not be set to low latency; empty when it was or needs none.
    wxString LowLatencyProblem() const;
    // Writes the text's characters as bytes 0-255; a text with a character above 255 is not sent.
    void Send(const wxString& text);
    // Writes the bytes as they are.
    void Write(const unsigned char* bytes, std::size_t count);
    // One byte 0-255, or -1 when none came within about 60 ms or the port is not usable.
    int Read();
    void Close();
    bool IsOpen() const;
    // True once a read or write failed with an error other than a time-out (the device is gone).
    bool Failed() const;
    int ErrorCode() const;       // errno / GetLastError() of the last failure
    wxString ErrorText() const;  // the same in words

    static wxString KonvertHex(wxString text);
};

extern Comport comport;
