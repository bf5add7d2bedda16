// The serial port on POSIX systems: a terminal device in raw mode, opened exclusively, read
// with poll() so that a missing byte costs at most 60 ms. A pseudo-terminal works as a port.
#ifndef _WIN32

#include "serial/BaudCodes.h"
#include "serial/ComportBackend.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <atomic>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/serial.h>
#include <sys/sysmacros.h>
#endif

namespace comport_backend {

namespace {

using Clock = std::chrono::steady_clock;

// The longest a read waits for one byte: the 10 ms per byte plus 50 ms that the Windows port
// gets as its read time-outs, so both platforms keep a caller's polling loop equally lively.
constexpr int kReadWaitMs = 60;
// The write time-out of the Windows port, per byte and fixed: how long a write may wait for
// room in the driver's buffer before the rest of the text is dropped.
constexpr int kWriteWaitPerByteMs = 10;
constexpr int kWriteWaitFixedMs = 50;

// The terminal reads on its worker thread while the window sends: the state both touch is atomic.
struct PortState {
    std::atomic<int> fd{-1};
    std::atomic<bool> failed{false};
    std::atomic<int> error{0};
    std::string name;               // of the last Open, for the hint on a permission error
    std::string lowLatencyProblem;  // of the last Open, for the log
};

PortState port;

bool DataBitsFlag(int dataBits, tcflag_t* flag) {
    switch (dataBits) {
        case 5:
            *flag = CS5;
            return true;
        case 6:
            *flag = CS6;
            return true;
        case 7:
            *flag = CS7;
            return true;
        case 8:
            *flag = CS8;
            return true;
        default:
            return false;
    }
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

void CloseDescriptor() {
    if (port.fd < 0) return;
    // The exclusive flag belongs to the device, not to this descriptor: a device that stays open
    // elsewhere (a simulated controller's pseudo-terminal) would refuse the next user otherwise.
    ::ioctl(port.fd, TIOCNXCL);
    // Not retried on EINTR: Linux releases the descriptor even then, and a second close could
    // hit a descriptor another part of the program has opened meanwhile.
    ::close(port.fd);
    port.fd = -1;
}

// A failed Open: keeps the reason and leaves no port open.
bool OpenFailed(int code) {
    port.error = code;
    CloseDescriptor();
    return false;
}

// The device is gone or broken: keeps the reason and closes the port, so that later reads and
// writes return at once instead of failing again and again.
void PortFailed(int code) {
    port.failed = true;
    port.error = code;
    CloseDescriptor();
}

// A pseudo-terminal has no wire: the kernel keeps it at eight data bits without parity and,
// when that undoes the whole request, says EINVAL. Any other setting must have been taken.
bool FrameFormatIgnored(int error, const termios& wanted) {
#ifdef __linux__
    constexpr unsigned kFirstPtySlaveMajor = 136, kLastPtySlaveMajor = 143;  // /dev/pts/*
    struct stat st {};
    if (error != EINVAL || ::fstat(port.fd, &st) != 0 || !S_ISCHR(st.st_mode) ||
        major(st.st_rdev) < kFirstPtySlaveMajor || major(st.st_rdev) > kLastPtySlaveMajor)
        return false;
    termios now{};
    if (::tcgetattr(port.fd, &now) != 0) return false;
    const tcflag_t frame = CSIZE | PARENB | PARODD;
    return (now.c_cflag & ~frame) == (wanted.c_cflag & ~frame) && now.c_iflag == wanted.c_iflag &&
           now.c_oflag == wanted.c_oflag && now.c_lflag == wanted.c_lflag &&
           ::cfgetospeed(&now) == ::cfgetospeed(&wanted) && ::cfgetispeed(&now) == ::cfgetispeed(&wanted);
#else
    (void)error;
    (void)wanted;
    return false;
#endif
}

bool ApplyLine(const LineSettings& line) {
    speed_t speed;
    tcflag_t size;
    if (!baud::Code(line.baud, &speed) || !DataBitsFlag(line.dataBits, &size)) return OpenFailed(EINVAL);

    termios tio{};
    if (::tcgetattr(port.fd, &tio) != 0) return OpenFailed(errno);
    ::cfmakeraw(&tio);
    // No parity checking, no software flow control in either direction.
    tio.c_iflag &= ~(INPCK | IXON | IXOFF | IXANY);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
#ifdef CRTSCTS
    tio.c_cflag &= ~CRTSCTS;
#endif
    tio.c_cflag |= size | CLOCAL | CREAD;
    if (line.parity != Parity::None) tio.c_cflag |= PARENB;
    if (line.parity == Parity::Odd) tio.c_cflag |= PARODD;
    if (line.twoStopBits) tio.c_cflag |= CSTOPB;
    // Reads never block inside read(): poll() does the waiting.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return OpenFailed(errno);
    if (::tcsetattr(port.fd, TCSANOW, &tio) != 0) {
        const int error = errno;
        if (!FrameFormatIgnored(error, tio)) return OpenFailed(error);
    }
    // Read the settings back: a device that has stopped answering fails here, not on first use.
    if (::tcgetattr(port.fd, &tio) != 0) return OpenFailed(errno);

    // DTR and RTS off. A pseudo-terminal has no modem lines and says so with ENOTTY or EINVAL.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(port.fd, TIOCMBIC, &lines) != 0 && errno != ENOTTY && errno != EINVAL) return OpenFailed(errno);
    return true;
}

bool IsMember(gid_t group) {
    if (::getegid() == group) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

// For a port the user may not open: the group that owns it, when that group may read and write
// it and the user is not in it.
std::string PermissionHint(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return "";
    if ((st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP) || IsMember(st.st_gid)) return "";
    const group* owner = ::getgrgid(st.st_gid);
    const std::string name = owner ? owner->gr_name : std::to_string(st.st_gid);
    return "; der Benutzer ist nicht in der Gruppe \"" + name + "\", der " + path +
           " gehört (aufnehmen mit: sudo usermod -aG " + name + " BENUTZERNAME, danach neu anmelden)";
}

// A USB adapter holds received bytes back until its latency time has passed (16 ms on an FTDI
// adapter), and a transfer waits for an answer to every byte: ask the driver for its shortest.
std::string SetLowLatency(int fd) {
    std::string problem;
#ifdef __linux__
    serial_struct info{};
    if (::ioctl(fd, TIOCGSERIAL, &info) == 0 && !(info.flags & ASYNC_LOW_LATENCY)) {
        info.flags |= ASYNC_LOW_LATENCY;
        // ENOTTY or EINVAL: the driver has no such setting, so there is nothing to be slow about.
        if (::ioctl(fd, TIOCSSERIAL, &info) != 0 && errno != ENOTTY && errno != EINVAL)
            problem = std::string("Latenzzeit des Adapters nicht einstellbar (ASYNC_LOW_LATENCY: ") +
                      std::strerror(errno) + "): Übertragung langsamer";
    }
    // The FTDI driver also keeps the time in sysfs; the flag above sets it to 1 ms when the
    // driver takes it, and the file is the only way when it does not.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode)) {
        const std::string timer = SetLatencyTimer("", major(st.st_rdev), minor(st.st_rdev));
        if (!timer.empty()) problem = timer;
    }
#else
    (void)fd;
#endif
    return problem;
}

}  // namespace

bool Open(const std::string& name, const LineSettings& line) {
    Close();
    port.failed = false;
    port.error = 0;
    port.name = name;
    port.lowLatencyProblem.clear();

    // O_NONBLOCK stays on: an open must not wait for a carrier, and poll() does all waiting.
    int fd;
    do fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) return OpenFailed(errno);
    port.fd = fd;

    if (!::isatty(fd)) return OpenFailed(ENOTTY);
    // Exclusive: a second open of the device by anyone but root fails with EBUSY.
    if (::ioctl(fd, TIOCEXCL) != 0) return OpenFailed(errno);
    if (!ApplyLine(line)) return false;
    port.lowLatencyProblem = SetLowLatency(fd);
    return true;
}

void Close() { CloseDescriptor(); }

bool IsOpen() { return port.fd >= 0; }

int ReadByte() {
    if (port.fd < 0) return -1;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kReadWaitMs);
    for (;;) {
        pollfd p{port.fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, MillisecondsLeft(deadline));
        if (ready < 0) {
            if (errno == EINTR) continue;  // the deadline still bounds the wait
            PortFailed(errno);
            return -1;
        }
        if (ready == 0) return -1;  // time-out: nothing came
        if (p.revents & POLLIN) {
            unsigned char byte;
            const ssize_t n = ::read(port.fd, &byte, 1);
            if (n == 1) return byte;
            if (n < 0 && errno != EINTR && errno != EAGAIN) {
                PortFailed(errno);
                return -1;
            }
            // Nothing read although poll() saw a byte: either another program that has the port
            // open took it first (a raw terminal then reads 0 bytes) or the line was hung up (the
            // adapter was pulled), which poll() reports and which leaves the terminal unusable.
            termios now{};
            if (n == 0 && ((p.revents & (POLLHUP | POLLERR)) || ::tcgetattr(port.fd, &now) != 0)) {
                PortFailed(EIO);
                return -1;
            }
        } else if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            PortFailed(p.revents & POLLNVAL ? EBADF : EIO);
            return -1;
        }
        if (MillisecondsLeft(deadline) == 0) return -1;
    }
}

void Write(const unsigned char* bytes, std::size_t count) {
    if (port.fd < 0 || count == 0) return;
    const Clock::time_point deadline =
        Clock::now() +
        std::chrono::milliseconds(kWriteWaitFixedMs + kWriteWaitPerByteMs * static_cast<long long>(count));
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(port.fd, bytes + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            PortFailed(errno);
            return;
        }
        // The driver's buffer is full: wait for room, but no longer than the write time-out.
        for (;;) {
            const int left = MillisecondsLeft(deadline);
            if (left == 0) return;  // the device does not take the bytes; the rest is dropped
            pollfd p{port.fd, POLLOUT, 0};
            const int ready = ::poll(&p, 1, left);
            if (ready < 0 && errno == EINTR) continue;
            if (ready < 0) {
                PortFailed(errno);
                return;
            }
            if (ready == 0) return;
            if (p.revents & POLLOUT) break;
            if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
                PortFailed(p.revents & POLLNVAL ? EBADF : EIO);
                return;
            }
        }
    }
}

bool Failed() { return port.failed; }

int LastError() { return port.error; }

void DiscardInput() {
    if (port.fd >= 0) ::tcflush(port.fd, TCIFLUSH);
}

// Only an Open fails with EBUSY for this reason; a failed read or write sets `failed`.
bool InUseByOther() { return port.error == EBUSY && !port.failed; }

std::string LowLatencyProblem() { return port.lowLatencyProblem; }

std::string ErrorText() {
    if (port.error == 0) return "";
    if (port.error == EBUSY) return InUseText(port.name);
    std::string text = std::strerror(port.error);
    if (port.error == EACCES) text += PermissionHint(port.name);
    return text;
}

}  // namespace comport_backend

#endif  // _WIN32
