// What the device tests against the simulated loader, bridge and module share: a simulator on a
// fresh pseudo-terminal as the port, and a recorder of everything a session reports.
#pragma once

#include "PtyMaster.h"
#include "compiler/Data.h"
#include "dialogs/ProgramTransfer.h"
#include "serial/Comport.h"
#include "serial/SimulatedController.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace simtest {

using Bytes = std::vector<unsigned char>;
using Sim = SimulatedController;
using P = Sim::Phase;

inline std::string Utf8(const wxString& s) { return std::string(s.utf8_str()); }
inline Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }
inline std::string Hex(const Bytes& bytes) {
    std::string out;
    for (unsigned char b : bytes) out += wxString::Format("%02X ", b).ToStdString();
    return out;
}

// A simulator that goes wrong at `phase` (at byte or block `index` where the phase counts them):
// silent when `mute`, else answering a wrong byte.
inline Sim::Options Fault(P phase, int index = 0, bool mute = false) {
    Sim::Options options;
    options.faultPhase = phase;
    options.faultIndex = index;
    options.faultMute = mute;
    return options;
}

// `events` is `before`, then the one line that names the lost port and the reason in parentheses.
inline void ExpectLostPort(const std::string& events, const std::string& before) {
    const std::string head = before + "Port Fehler: " + Utf8(data.programComport) + " ist nicht mehr erreichbar (";
    ASSERT_EQ(events.substr(0, head.size()), head);
    const std::string reason = events.substr(head.size());
    EXPECT_TRUE(reason.size() > 2 && reason.find('\n') == reason.size() - 1 && reason.find(")\n") == reason.size() - 2)
        << events;
}

// Everything a session reports: log texts, waits ("[wait N]") and the emptied log ("[clear]") in
// order in `events`; labels with runs of "W: n" / "R: n" that count up by one as "W: 0-127".
struct Recorder {
    std::string events, openReports;
    std::vector<std::string> labels;
    int pumps = 0, lastNumber = -1;
    std::function<void()> onPump;

    void Label(const std::string& s) {
        const std::string kind = s.substr(0, 3);
        const int n = kind == "W: " || kind == "R: " ? std::stoi(s.substr(3)) : -1;
        if (n >= 0 && !labels.empty() && labels.back().rfind(kind, 0) == 0 && n == lastNumber + 1)
            labels.back() = labels.back().substr(0, labels.back().find('-')) + "-" + std::to_string(n);
        else
            labels.push_back(s);
        lastNumber = n;
    }
    std::string Labels() const {
        std::string all;
        for (const std::string& label : labels) all += (all.empty() ? "" : "|") + label;
        return all;
    }
    std::string LastLabel() const { return labels.empty() ? "" : labels.back(); }
    void Wire(SerialSession& s) {
        s.label = [this](const wxString& text) { Label(Utf8(text)); };
        s.log = [this](const wxString& text) { events += Utf8(text); };
        s.clearLog = [this] { events += "[clear]"; };
        s.sleep = [this](int ms) { events += "[wait " + std::to_string(ms) + "]"; };
        s.pump = [this] {
            ++pumps;
            if (onPump) onPump();
        };
        s.openFailed = [this](int code, const wxString& why) { openReports += std::to_string(code) + " " + Utf8(why); };
    }
};

// Each test starts with the port closed and the stop flag at 0, and leaves them so.
class SimTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::alarm(30);  // an exchange that misses a stop or a failure waits for ever: end the binary
        comport.Close();
        gl_iProgramStop = 0;
    }
    void TearDown() override {
        ::alarm(0);
        comport.Close();
        gl_iProgramStop = 0;
        data.programComport = savedPort_;
    }
    // A simulator with `options` as data.programComport, an empty recorder, the stop flag at 0.
    Sim& StartSim(const Sim::Options& options = {}) {
        gl_iProgramStop = 0;
        sim_.reset();
        sim_ = std::make_unique<Sim>(options);
        EXPECT_TRUE(sim_->Start()) << Utf8(sim_->ErrorText());
        data.programComport = sim_->SlavePath();
        rec_ = Recorder();
        return *sim_;
    }
    // What the devices received once `count` bytes are in (at most 2 s), and 20 ms more so that
    // bytes beyond them would show.
    Bytes ReceivedWhenIn(size_t count) const {
        for (int i = 0; i < 400 && sim_->Received().size() < count; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return sim_->Received();
    }

    std::unique_ptr<Sim> sim_;
    Recorder rec_;
    wxString savedPort_ = data.programComport;
};

}  // namespace simtest
