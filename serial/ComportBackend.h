// The operating system's side of Comport: one implementation per platform (ComportPosix.cpp,
// ComportWin32.cpp), selected at compile time. Plain C++ with no wxWidgets, so the Windows file
// can be compiled on its own by a cross compiler.
//
// The port state lives in the implementation file: one port at a time in the whole program.
// Nothing here shows a message; failures are kept as an error code (errno or GetLastError())
// that Comport hands to its callers.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace comport_backend {

enum class Parity { None, Odd, Even };

// Only the exact one-letter codes count, case-sensitively; "Even", "e" or "" mean no parity.
inline Parity ParityFromLetter(const std::string& letter) {
    if (letter == "O") return Parity::Odd;
    if (letter == "E") return Parity::Even;
    return Parity::None;  // "N" and everything else
}

struct LineSettings {
    int baud = 115200;  // bits per second
    int dataBits = 8;   // 5 to 8
    Parity parity = Parity::None;
    bool twoStopBits = false;
};

// Closes any open port, then opens `name` exclusively and applies `line` raw, with no flow
// control and DTR and RTS off. `name` is UTF-8 (Windows) or the file system's encoding (POSIX).
// false on failure, with LastError() set and no port open.
bool Open(const std::string& name, const LineSettings& line);
// Closes the open port, if any; harmless when none is open.
void Close();
bool IsOpen();
// One byte 0-255, or -1 when none came within about 60 ms or no port is open.
int ReadByte();
// Writes the bytes, waiting a bounded time when the device is slow; gives up silently when
// that time runs out.
void Write(const unsigned char* bytes, std::size_t count);
// Set when a read or write failed with an error other than a time-out (the device is gone);
// the port is then closed. Cleared by the next Open.
bool Failed();
int LastError();          // 0 when nothing has failed since Open began
std::string ErrorText();  // LastError() in words (UTF-8 on Windows), with a hint where one helps

// Discards whatever arrived and was not read yet: answers of a running program, power-up noise,
// a prompt left over from an earlier exchange. Harmless when no port is open.
void DiscardInput();
// True when the last Open failed because another program holds the port.
bool InUseByOther();
// The text for that case, the same on every platform.
inline std::string InUseText(const std::string& name) { return name + " wird von einem anderen Programm benutzt"; }
// After Open: why the port could not be put into low-latency mode (a USB adapter then adds up
// to 16 ms to every answer); empty when it was, or when the port has no such setting.
std::string LowLatencyProblem();

// One serial port the system knows, with what tells the user which adapter it is.
struct PortInfo {
    std::string name;         // what Open takes: /dev/ttyUSB0, COM7 (UTF-8)
    std::string description;  // the device's own name: "USB-SERIAL CH340", "FT232R USB UART"
    std::string vid, pid;     // USB vendor and product id, four lower-case hex digits; empty if none
    std::string serial;       // the adapter's serial number; empty when it has none
};

// The serial ports that exist, in a stable order: device paths on POSIX, COM names on Windows.
std::vector<PortInfo> ListPortInfos();
// Their names.
std::vector<std::string> ListPorts();
// 1 when port number n exists: COMn on Windows, the n-th entry of ListPorts() on POSIX.
int Exist(int n);

#ifndef _WIN32
// Orders port names with their numbers compared as numbers: ttyS2 before ttyS10.
bool PortNameLess(const std::string& a, const std::string& b);
// The serial ports of the system whose file tree starts at `root` ("" or "/": this one), found
// in its dev/ and sys/ folders; the names are paths below `root`. A port that a
// dev/serial/by-id link names is listed once, under the device node it points to.
std::vector<PortInfo> ListPortInfos(const std::string& root);
// Sets the latency timer of the FTDI adapter behind the character device major:minor to 1 ms,
// through the sysfs below `root`. Why it could not be set, for the log; empty when it was set
// or the device has no such timer.
std::string SetLatencyTimer(const std::string& root, unsigned major, unsigned minor);
#endif

}  // namespace comport_backend
