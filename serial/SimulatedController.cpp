#include "serial/SimulatedController.h"

#include "serial/BaudCodes.h"

#include <algorithm>
#include <cstdlib>

#ifndef _WIN32
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32
wxString Reason(const char* what) { return wxString::Format("%s: %s", what, wxString::FromUTF8(strerror(errno))); }
#endif

}  // namespace

SimulatedController::SimulatedController() : SimulatedController(Options()) {}

SimulatedController::SimulatedController(const Options& options)
    : loader_(options, [this](unsigned char b) { Answer(b); }),
      bridge_(options, [this](unsigned char b) { Answer(b); }),
      module_(options, [this](unsigned char b) { Answer(b); }),
      options_(options) {}

bool ParseSimulatedOptions(const std::vector<std::string>& args, SimulatedOptions& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool valued =
            word == "--silent" || word == "--latency" || word == "--late" || word == "--stale" || word == "--fault";
        if (valued && i + 1 >= args.size()) {
            error = word + " needs a value";
            return false;
        }
        if (word == "--silent") {
            options.silentRequests = std::atoi(args[++i].c_str());
        } else if (word == "--latency") {
            options.latencyMs = std::atoi(args[++i].c_str());
        } else if (word == "--late") {  // N:MS
            const std::string value = args[++i];
            const size_t colon = value.find(':');
            if (colon == std::string::npos) {
                error = "--late takes ANSWER:MS";
                return false;
            }
            options.lateAnswer = std::atoi(value.c_str());
            options.lateMs = std::atoi(value.c_str() + colon + 1);
        } else if (word == "--stale") {
            options.stale = args[++i];
        } else if (word == "--surplus-prompt") {
            options.surplusPrompt = true;
        } else if (word == "--no-bridge") {
            options.faultPhase = SimulatedPhase::BridgeO;
            options.faultMute = true;
        } else if (word == "--no-module") {
            options.noModule = true;
        } else if (word == "--fault") {  // PHASE[:INDEX]
            const std::string value = args[++i];
            const std::string name = value.substr(0, value.find(':'));
            const auto* end = std::end(kSimulatedPhaseNames);
            const auto* found = std::find(std::begin(kSimulatedPhaseNames), end, name);
            if (found == end) {
                error = "no phase " + name;
                return false;
            }
            options.faultPhase = static_cast<SimulatedPhase>(found - std::begin(kSimulatedPhaseNames));
            options.faultIndex = value.size() > name.size() ? std::atoi(value.c_str() + name.size() + 1) : 0;
        } else {
            error = "unknown option " + word;
            return false;
        }
    }
    return true;
}

SimulatedController::~SimulatedController() {
    Stop();
    CloseAll();
}

std::vector<unsigned char> SimulatedController::Received() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

std::vector<unsigned char> SimulatedController::Image() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return loader_.Image();
}

int SimulatedController::ImageLength() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return loader_.Length();
}

int SimulatedController::CompletedImages() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return loader_.Completed();
}

std::vector<std::string> SimulatedController::RequestLog() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requestLog_;
}

std::vector<unsigned char> SimulatedController::ModuleRecord() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return module_.Record();
}

double SimulatedController::Delayed() const { return delayed_; }

#ifdef _WIN32

bool SimulatedController::Start() {
    error_ = "simulated controller: pseudo-terminals are not available on this platform";
    return false;
}
void SimulatedController::Stop() {}
void SimulatedController::Vanish() {}
void SimulatedController::CloseAll() {}
void SimulatedController::Loop() {}
void SimulatedController::Answer(unsigned char) {}
void SimulatedController::Write(unsigned char) {}
bool SimulatedController::Delay(int) { return false; }
int SimulatedController::LineSpeed() const { return 0; }

#else

bool SimulatedController::Start() {
    if (master_ >= 0) {
        error_ = "simulated controller already started";
        return false;
    }
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        error_ = Reason("posix_openpt");
        return false;
    }
    // Non-blocking so that a port user who stops reading cannot wedge the loader's writes.
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
        error_ = Reason("fcntl");
        CloseAll();
        return false;
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error_ = Reason("grantpt/unlockpt");
        CloseAll();
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) {
        error_ = Reason("ptsname");
        CloseAll();
        return false;
    }
    slavePath_ = wxString::FromUTF8(name);
    slave_ = open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        error_ = Reason("open slave");
        CloseAll();
        return false;
    }
    // Raw from the start: a port user that has not yet set up the line must not see echoes or
    // translated line ends.
    termios tio{};
    if (tcgetattr(slave_, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(slave_, TCSANOW, &tio);
    }
    if (pipe(wake_) != 0) {
        error_ = Reason("pipe");
        CloseAll();
        return false;
    }
    // Waiting in the port before anyone opens it, like the answer of a program that ran.
    for (char c : options_.stale) Write(static_cast<unsigned char>(c));
    stop_ = false;
    thread_ = std::thread([this] { Loop(); });
    return true;
}

void SimulatedController::Stop() {
    if (!thread_.joinable()) return;
    stop_ = true;
    const char c = 0;
    ssize_t n;
    do { n = write(wake_[1], &c, 1); } while (n < 0 && errno == EINTR);
    thread_.join();
}

void SimulatedController::Vanish() {
    Stop();
    CloseAll();
}

void SimulatedController::CloseAll() {
    for (int* fd : {&slave_, &master_, &wake_[0], &wake_[1]}) {
        if (*fd >= 0) close(*fd);
        *fd = -1;
    }
}

// The speed the port user set: a pseudo-terminal keeps it in its settings though it does not use it.
int SimulatedController::LineSpeed() const {
    termios tio{};
    if (tcgetattr(slave_, &tio) != 0) return 0;
    return baud::Rate(cfgetospeed(&tio));
}

// Called under the lock: the answer goes out after it, from the device thread.
void SimulatedController::Answer(unsigned char b) { outgoing_.push_back(b); }

bool SimulatedController::Delay(int ms) {
    // ppoll: to the microsecond, where poll() would round to whole milliseconds.
    const auto start = std::chrono::steady_clock::now();
    const auto until = start + std::chrono::milliseconds(ms);
    pollfd wake = {wake_[0], POLLIN, 0};
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::nanoseconds>(until - std::chrono::steady_clock::now()).count();
        if (left <= 0) break;
        const timespec wait = {static_cast<time_t>(left / 1000000000), static_cast<long>(left % 1000000000)};
        if (ppoll(&wake, 1, &wait, nullptr) > 0) return false;
    }
    delayed_ = delayed_ + std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return true;
}

void SimulatedController::Write(unsigned char b) {
    for (;;) {
        const ssize_t n = write(master_, &b, 1);
        if (n == 1 || (n < 0 && errno != EINTR && errno != EAGAIN)) return;
        if (n < 0 && errno == EINTR) continue;
        // The line is full because nobody reads the port: wait a while, as a real device's
        // transmitter would, then drop the byte rather than hang; Stop() cuts the wait short.
        pollfd fds[2] = {{master_, POLLOUT, 0}, {wake_[0], POLLIN, 0}};
        const int ready = poll(fds, 2, 1000);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0 || fds[1].revents || !(fds[0].revents & POLLOUT)) return;
    }
}

void SimulatedController::Loop() {
    unsigned char buffer[256];
    while (!stop_) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        int n = poll(fds, 2, -1);
        if (n < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;  // Stop()
        if (fds[0].revents & POLLIN) {
            ssize_t got = read(master_, buffer, sizeof buffer);
            if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (got <= 0) return;
            std::vector<unsigned char> finished;
            int finishedLength = -1;
            std::vector<std::string> requests;
            std::vector<std::vector<unsigned char> > writes;
            std::vector<unsigned char> answer;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                const int before = loader_.Completed();
                for (ssize_t i = 0; i < got; ++i) Feed(buffer[i]);
                if (loader_.Completed() != before) {
                    finished = loader_.Image();
                    finishedLength = loader_.Length();
                }
                requests.swap(pendingRequests_);
                writes = module_.TakeStored();
                answer.swap(outgoing_);
            }
            // Late answers wait here, outside the lock, so that the test can read the state meanwhile.
            if (!answer.empty()) {
                const int late = options_.latencyMs + (answers_++ == options_.lateAnswer ? options_.lateMs : 0);
                if (late > 0 && !Delay(late)) return;  // Stop()
                for (unsigned char b : answer) Write(b);
            }
            // The callbacks run without the lock so that they may ask for the recorded state.
            if (onRequest)
                for (const std::string& request : requests) onRequest(request);
            if (finishedLength >= 0 && onImage) onImage(finished, finishedLength);
            if (onModuleWrite)
                for (const auto& record : writes) onModuleWrite(record);
        } else if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            // Not expected while our own slave descriptor is open; wait for Stop() rather than
            // spin on a hung-up master.
            pollfd wake = {wake_[0], POLLIN, 0};
            while (!stop_ && poll(&wake, 1, -1) < 0 && errno == EINTR) {}
            return;
        }
    }
}

#endif

// A byte in a device's exchange goes to that device; any other byte may end a request, which
// takes every device out of its exchange and goes to the device it names.
void SimulatedController::Feed(unsigned char b) {
    received_.push_back(b);
    for (SimulatedDevice* device : Devices())
        if (device->Take(b)) return;
    request_.push_back(static_cast<char>(b));
    if (request_.size() > static_cast<size_t>(protocol::kRequestLength))
        request_.erase(0, request_.size() - protocol::kRequestLength);
    for (SimulatedDevice* device : Devices()) {
        if (!device->Knows(request_)) continue;
        const std::string request = request_;
        request_.clear();
        const std::string entry = request + "@" + std::to_string(LineSpeed());
        requestLog_.push_back(entry);
        pendingRequests_.push_back(entry);
        for (SimulatedDevice* other : Devices()) other->Reset();
        device->Request(request);
        return;
    }
}
