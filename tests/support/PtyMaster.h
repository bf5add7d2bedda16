// The master side of a pseudo-terminal for tests; its slave is opened as the port under test.
#pragma once

#include <wx/string.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <string>
#include <unistd.h>

// Milliseconds since `start`: the tests time reads, hang-ups and stops against their limits.
inline long long MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

class PtyMaster {
public:
    PtyMaster() : fd_(::posix_openpt(O_RDWR | O_NOCTTY)) {
        const char* name = fd_ >= 0 && ::grantpt(fd_) == 0 && ::unlockpt(fd_) == 0 ? ::ptsname(fd_) : nullptr;
        if (name) slave_ = name;
    }
    ~PtyMaster() { CloseFd(); }
    PtyMaster(const PtyMaster&) = delete;
    PtyMaster& operator=(const PtyMaster&) = delete;

    bool Ok() const { return fd_ >= 0 && !slave_.empty(); }
    int Fd() const { return fd_; }
    const std::string& Slave() const { return slave_; }
    wxString SlaveName() const { return wxString(slave_); }
    // Like pulling the adapter: whoever has the slave open sees a hang-up.
    void CloseFd() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    // Writes everything, waiting for room as the reader drains the line.
    bool Write(const std::string& bytes) {
        for (size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            pollfd p{fd_, POLLOUT, 0};
            if (n > 0)
                done += static_cast<size_t>(n);
            else if (n < 0 && errno != EINTR && errno != EAGAIN)
                return false;
            else
                ::poll(&p, 1, 100);  // the line is full until the port under test reads
        }
        return true;
    }
    // Everything the port sent until nothing more comes for `quietMs`.
    std::string ReadAll(int quietMs = 150) {
        std::string got;
        for (;;) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, quietMs) <= 0 || !(p.revents & POLLIN)) return got;
            char buffer[4096];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) return got;
            got.append(buffer, static_cast<size_t>(n));
        }
    }

private:
    int fd_ = -1;
    std::string slave_;
};
