// The serial port on Windows: a COM device opened exclusively, its line set through the device
// control block, reads and writes bounded by the port's own time-outs.
#ifdef _WIN32

#include "serial/ComportBackend.h"

#include <windows.h>

#include <string>
#include <vector>

namespace comport_backend {

namespace {

struct PortState {
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool failed = false;
    DWORD error = 0;
};

PortState port;

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], length, nullptr,
                          nullptr);
    return utf8;
}

// COM10 and above open only in the device namespace form \\.\COM10; the short ones accept it
// too, so every plain name gets the prefix.
std::wstring DevicePath(const std::string& name) {
    const std::wstring wide = Widen(name);
    if (wide.compare(0, 4, L"\\\\.\\") == 0) return wide;
    return L"\\\\.\\" + wide;
}

void CloseHandleOnce() {
    if (port.handle == INVALID_HANDLE_VALUE) return;
    ::CloseHandle(port.handle);
    port.handle = INVALID_HANDLE_VALUE;
}

bool OpenFailed(DWORD code) {
    port.error = code;
    CloseHandleOnce();
    return false;
}

// The device is gone or broken: keeps the reason and closes the port, so that later reads and
// writes return at once instead of failing again and again.
void PortFailed(DWORD code) {
    port.failed = true;
    port.error = code;
    CloseHandleOnce();
}

BYTE ParityCode(Parity parity) {
    switch (parity) {
        case Parity::Odd: return ODDPARITY;
        case Parity::Even: return EVENPARITY;
        case Parity::None: break;
    }
    return NOPARITY;
}

// Whether Windows knows the port: its default configuration can be read.
bool PortKnown(const std::wstring& name) {
    std::vector<unsigned char> buffer(sizeof(COMMCONFIG));
    DWORD size = static_cast<DWORD>(buffer.size());
    if (::GetDefaultCommConfigW(name.c_str(), reinterpret_cast<COMMCONFIG*>(buffer.data()), &size)) return true;
    // A driver with provider data of its own needs a larger buffer; it says how large.
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= buffer.size()) return false;
    buffer.resize(size);
    return ::GetDefaultCommConfigW(name.c_str(), reinterpret_cast<COMMCONFIG*>(buffer.data()), &size) != FALSE;
}

}  // namespace

bool Open(const std::string& name, const LineSettings& line) {
    Close();
    port.failed = false;
    port.error = 0;

    const HANDLE handle = ::CreateFileW(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return OpenFailed(::GetLastError());
    port.handle = handle;

    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!::GetCommState(handle, &dcb)) return OpenFailed(::GetLastError());
    dcb.BaudRate = static_cast<DWORD>(line.baud);
    dcb.ByteSize = static_cast<BYTE>(line.dataBits);
    dcb.fBinary = TRUE;  // Windows knows no other mode
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fAbortOnError = FALSE;
    dcb.XonLim = 0;
    dcb.XoffLim = 0;
    dcb.Parity = ParityCode(line.parity);
    dcb.StopBits = line.twoStopBits ? TWOSTOPBITS : ONESTOPBIT;
    dcb.XonChar = 0;
    dcb.XoffChar = 0;
    dcb.ErrorChar = 0;
    dcb.EofChar = 0;
    dcb.EvtChar = 0;
    if (!::SetCommState(handle, &dcb)) return OpenFailed(::GetLastError());
    // Read the settings back: a device that has stopped answering fails here, not on first use.
    if (!::GetCommState(handle, &dcb)) return OpenFailed(::GetLastError());

    // A read returns after at most 10 ms per byte plus 50 ms (60 ms for the one byte Read asks
    // for), or as soon as 50 ms pass between two bytes; a write gives up after 10 ms per byte
    // plus 50 ms. These bound how long a caller's polling loop stands still.
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = 50;
    timeouts.ReadTotalTimeoutMultiplier = 10;
    timeouts.ReadTotalTimeoutConstant = 50;
    timeouts.WriteTotalTimeoutMultiplier = 10;
    timeouts.WriteTotalTimeoutConstant = 50;
    // Not checked: a driver that refuses keeps its own time-outs, and the port still works.
    ::SetCommTimeouts(handle, &timeouts);
    return true;
}

void Close() { CloseHandleOnce(); }

bool IsOpen() { return port.handle != INVALID_HANDLE_VALUE; }

int ReadByte() {
    if (port.handle == INVALID_HANDLE_VALUE) return -1;
    unsigned char byte = 0;
    DWORD got = 0;
    if (!::ReadFile(port.handle, &byte, 1, &got, nullptr)) {
        PortFailed(::GetLastError());
        return -1;
    }
    if (got == 1) return byte;
    // Nothing within the time-out, or the device is gone: a pulled adapter (and a hung-up line
    // under Wine) still lets ReadFile succeed with no byte, but the line's status can no longer
    // be read.
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(port.handle, &errors, &status)) PortFailed(::GetLastError());
    return -1;
}

void Write(const unsigned char* bytes, std::size_t count) {
    std::size_t done = 0;
    while (port.handle != INVALID_HANDLE_VALUE && done < count) {
        const DWORD chunk = static_cast<DWORD>(count - done > 0x10000 ? 0x10000 : count - done);
        DWORD written = 0;
        if (!::WriteFile(port.handle, bytes + done, chunk, &written, nullptr)) {
            PortFailed(::GetLastError());
            return;
        }
        // Fewer bytes than asked for: the write time-out ran out; the rest is dropped.
        if (written < chunk) return;
        done += written;
    }
}

bool Failed() { return port.failed; }

void DiscardInput() {
    if (port.handle != INVALID_HANDLE_VALUE) ::PurgeComm(port.handle, PURGE_RXCLEAR);
}

bool InUseByOther() { return port.error == ERROR_ACCESS_DENIED; }

std::string LowLatencyProblem() { return std::string(); }

std::vector<PortInfo> ListPortInfos() {
    std::vector<PortInfo> infos;
    for (const std::string& name : ListPorts()) infos.push_back({name, "", "", "", ""});
    return infos;
}

int LastError() { return static_cast<int>(port.error); }

std::string ErrorText() {
    if (port.error == 0) return std::string();
    wchar_t* message = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        port.error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (length == 0 || !message) return std::string();
    std::wstring text(message, length);
    ::LocalFree(message);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return Narrow(text);
}

std::vector<std::string> ListPorts() {
    std::vector<std::string> ports;
    for (int n = 1; n <= 20; ++n)
        if (Exist(n)) ports.push_back("COM" + std::to_string(n));
    return ports;
}

int Exist(int n) {
    if (n < 1) return 0;
    return PortKnown(L"COM" + std::to_wstring(n)) ? 1 : 0;
}

}  // namespace comport_backend

#endif  // _WIN32
