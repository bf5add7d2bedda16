// Runs a program with its output in separate strings, a working folder and a deadline, and lets
// the test act on it while it runs (send a signal, pull a device).
#pragma once

#include "Files.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace proc {

struct Result {
    int status = -1;  // exit status; -1 when it did not start, was killed or ran out of time
    bool timedOut = false;
    std::string out, err;
};

// `whileRunning` is called every 50 ms with the process id and the seconds since the start;
// standard input is the file `input` (none: /dev/null).
inline Result Run(const std::vector<std::string>& argv, const std::string& cwd, double timeoutSeconds,
                  const std::function<void(pid_t, double)>& whileRunning = nullptr,
                  const std::string& input = "/dev/null") {
    Result result;
    char outName[] = "/tmp/tqc-proc-out.XXXXXX", errName[] = "/tmp/tqc-proc-err.XXXXXX";
    const int outFd = mkstemp(outName), errFd = mkstemp(errName);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    posix_spawn_file_actions_adddup2(&actions, errFd, 2);
    // Nothing else of the test's: a simulator's pseudo-terminal held open by the child (or by a
    // wineserver it starts) would never hang up when the test pulls the device.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const bool spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(outFd);
    close(errFd);
    const auto start = std::chrono::steady_clock::now();
    for (int status = 0; spawned;) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
            break;
        }
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if ((result.timedOut = elapsed > timeoutSeconds)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        if (whileRunning) whileRunning(pid, elapsed);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    result.out = files::Read(outName);
    result.err = files::Read(errName);
    unlink(outName);
    unlink(errName);
    return result;
}

}  // namespace proc
