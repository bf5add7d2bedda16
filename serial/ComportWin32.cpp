// The serial port on Windows: a COM device opened exclusively, its line set through the device
// control block, reads and writes bounded by the port's own time-outs.
#ifdef _WIN32

#include "serial/ComportBackend.h"
#include "serial/Win32LineRecord.h"

#include <windows.h>

#include <string>
#include <vector>

namespace comport_backend {

namespace {

struct PortState {
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool failed = false;
    DWORD error = 0;
    std::string name;  // as the caller gave it, for the message about a port held by another program
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
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], length, nullptr, nullptr);
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

// The portable record's codes are Windows' own; the record covers every DCB field but the length
// and the reserved ones, which keep what GetCommState put there.
static_assert(dcb::NoParity == NOPARITY && dcb::OddParity == ODDPARITY && dcb::EvenParity == EVENPARITY &&
              dcb::MarkParity == MARKPARITY && dcb::SpaceParity == SPACEPARITY);
static_assert(dcb::OneStopBit == ONESTOPBIT && dcb::One5StopBits == ONE5STOPBITS && dcb::TwoStopBits == TWOSTOPBITS);
static_assert(dcb::DtrDisable == DTR_CONTROL_DISABLE && dcb::DtrHandshake == DTR_CONTROL_HANDSHAKE &&
              dcb::RtsDisable == RTS_CONTROL_DISABLE && dcb::RtsToggle == RTS_CONTROL_TOGGLE);
static_assert(sizeof(DCB) == 28, "a DCB with fields the portable record does not know");

Win32LineRecord FromDcb(const DCB& d) {
    Win32LineRecord r;
    r.BaudRate = d.BaudRate;
    r.fBinary = d.fBinary, r.fParity = d.fParity, r.fOutxCtsFlow = d.fOutxCtsFlow, r.fOutxDsrFlow = d.fOutxDsrFlow;
    r.fDtrControl = static_cast<std::uint8_t>(d.fDtrControl);
    r.fDsrSensitivity = d.fDsrSensitivity, r.fTXContinueOnXoff = d.fTXContinueOnXoff, r.fOutX = d.fOutX;
    r.fInX = d.fInX, r.fErrorChar = d.fErrorChar, r.fNull = d.fNull;
    r.fRtsControl = static_cast<std::uint8_t>(d.fRtsControl);
    r.fAbortOnError = d.fAbortOnError;
    r.XonLim = d.XonLim, r.XoffLim = d.XoffLim, r.ByteSize = d.ByteSize, r.Parity = d.Parity, r.StopBits = d.StopBits;
    r.XonChar = d.XonChar, r.XoffChar = d.XoffChar, r.ErrorChar = d.ErrorChar, r.EofChar = d.EofChar;
    r.EvtChar = d.EvtChar;
    return r;
}

void ToDcb(const Win32LineRecord& r, DCB* d) {
    d->BaudRate = r.BaudRate;
    d->fBinary = r.fBinary, d->fParity = r.fParity, d->fOutxCtsFlow = r.fOutxCtsFlow, d->fOutxDsrFlow = r.fOutxDsrFlow;
    d->fDtrControl = r.fDtrControl;
    d->fDsrSensitivity = r.fDsrSensitivity, d->fTXContinueOnXoff = r.fTXContinueOnXoff, d->fOutX = r.fOutX;
    d->fInX = r.fInX, d->fErrorChar = r.fErrorChar, d->fNull = r.fNull;
    d->fRtsControl = r.fRtsControl;
    d->fAbortOnError = r.fAbortOnError;
    d->XonLim = r.XonLim, d->XoffLim = r.XoffLim;
    d->ByteSize = r.ByteSize, d->Parity = r.Parity, d->StopBits = r.StopBits;
    d->XonChar = r.XonChar, d->XoffChar = r.XoffChar, d->ErrorChar = r.ErrorChar, d->EofChar = r.EofChar;
    d->EvtChar = r.EvtChar;
}

// The size of the driver's input queue in bytes, 0 when it does not say.
unsigned InputQueue(HANDLE handle) {
    COMMPROP properties{};
    properties.wPacketLength = sizeof(properties);
    return ::GetCommProperties(handle, &properties) ? properties.dwCurrentRxQueue : 0;
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
    port.name = name;

    const HANDLE handle = ::CreateFileW(DevicePath(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return OpenFailed(::GetLastError());
    port.handle = handle;

    // Queue sizes are only a recommendation that the driver may ignore, so a refusal is no failure.
    ::SetupComm(handle, 4096, 4096);
    const unsigned rxQueue = InputQueue(handle);

    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    if (!::GetCommState(handle, &dcb)) return OpenFailed(::GetLastError());
    const Win32LineRecord record = BuildLineRecord(FromDcb(dcb), line, rxQueue);
    // A line Windows would refuse (4 data bits, 0 baud) is refused here, the same way on Wine.
    if (!BrokenLineRules(record, rxQueue).empty()) return OpenFailed(ERROR_INVALID_PARAMETER);
    ToDcb(record, &dcb);
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
    // A driver that refuses keeps time-outs nobody knows, and with all of them zero a read waits
    // until a byte comes, for ever: such a port would freeze the window, so it is not used.
    if (!::SetCommTimeouts(handle, &timeouts)) return OpenFailed(::GetLastError());
    // Whatever came before the port was ours (power-up noise, answers meant for another program)
    // and whatever an earlier user left unsent; and the error flags that user left set.
    ::PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    DWORD errors = 0;
    ::ClearCommError(handle, &errors, nullptr);
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

int LastError() { return static_cast<int>(port.error); }

std::string ErrorText() {
    if (port.error == 0) return std::string();
    if (InUseByOther()) return InUseText(port.name);
    wchar_t* message = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, port.error, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (length == 0 || !message) return std::string();
    std::wstring text(message, length);
    ::LocalFree(message);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    return Narrow(text);
}

int Exist(int n) {
    if (n < 1) return 0;
    // A port the lister found by its DOS device name counts too (Wine's ports above COM9).
    const std::wstring name = L"COM" + std::to_wstring(n);
    wchar_t target[512];
    return PortKnown(name) || ::QueryDosDeviceW(name.c_str(), target, 512) != 0 ? 1 : 0;
}

}  // namespace comport_backend

#endif  // _WIN32
