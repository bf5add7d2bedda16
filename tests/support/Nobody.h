// A second program without special rights: a task run in a child process as the user nobody
// (as the caller itself when that is not root, who has no such rights anyway).
#pragma once

#include <functional>
#include <string>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

// What `task` returned in the child; "(not run)" when the child could not become nobody.
inline std::string AsNobody(const std::function<std::string()>& task) {
    constexpr uid_t kNobody = 65534;
    int channel[2];
    if (::pipe(channel) != 0) return "(not run)";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        const bool dropped =
            ::geteuid() != 0 || (::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
                                 ::setresuid(kNobody, kNobody, kNobody) == 0);
        const std::string result = dropped ? task() : "(not run)";
        (void)!::write(channel[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; pid > 0 && (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<size_t>(n));
    ::close(channel[0]);
    if (pid > 0) ::waitpid(pid, nullptr, 0);
    return pid > 0 ? result : "(not run)";
}
