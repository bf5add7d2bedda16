#include "serial/SerialSession.h"

#include <wx/utils.h>

#include <chrono>

#include "serial/Comport.h"

SerialSession::SerialSession(const wxString& port, const int* stopFlag)
    : sleep([](int ms) { wxMilliSleep(ms); }), port_(port), stopFlag_(stopFlag) {}

void SerialSession::Label(const wxString& text) {
    if (label) label(text);
}

void SerialSession::Log(const wxString& text) {
    if (log) log(text);
}

void SerialSession::Pump() {
    if (pump) pump();
}

void SerialSession::Sleep(int ms) {
    if (sleep) sleep(ms);
}

void SerialSession::Settle() {
    if (clearLog) clearLog();
    Pump();
    Sleep(100);
}

wxString SerialSession::NoPortText() {
    return wxString::FromUTF8(
        "Kein Comport gewählt: im Fenster Program (Menü TqP > Program) einen Comport "
        "aus der Liste wählen, dann erneut versuchen.");
}

bool SerialSession::NoPortChosen() {
    if (!port_.empty()) return false;
    if (openFailed) openFailed(0, NoPortText());
    Log(NoPortText() + "\n");
    return true;
}

bool SerialSession::Open(int baud) {
    inUse_ = comport.Open(port_, baud, 8, "N", 1);
    if (!inUse_ && openFailed) openFailed(comport.ErrorCode(), comport.ErrorText());
    if (inUse_) Discard();
    return inUse_;
}

void SerialSession::Discard() { comport.DiscardInput(); }

void SerialSession::UseOpenPort() {
    inUse_ = true;
    lost_ = false;
    lostReason_.clear();
}

void SerialSession::Close() { comport.Close(); }

bool SerialSession::IsOpen() const { return comport.IsOpen(); }

void SerialSession::Send(const wxString& text) { comport.Send(text); }

void SerialSession::SendByte(int value) {
    const unsigned char byte = static_cast<unsigned char>(value & 0xFF);
    comport.Write(&byte, 1);
}

int SerialSession::Read() {
    const int c = comport.Read();
    // A port that failed to open only times out; one that opened and then failed was pulled.
    if (c >= 0 || !inUse_ || !comport.Failed()) return c;
    if (!lost_) lostReason_ = comport.ErrorText();  // the first reason; later reads only repeat it
    lost_ = true;
    return kPortGone;
}

int SerialSession::PollByte() {
    Pump();
    return Read();
}

int SerialSession::AwaitByte(int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (StopRequested()) {
            Close();
            return kStopped;
        }
        const int c = Read();
        if (c != -1) return c;
        if (timeoutMs >= 0 && Clock::now() >= deadline) return kTimedOut;
    }
}

bool SerialSession::StopRequested() {
    Pump();
    return stopFlag_ && *stopFlag_ == 0;
}

void SerialSession::ReportLostPort() {
    if (!lost_) return;
    Log(wxString::Format("Port Fehler: %s ist nicht mehr erreichbar (%s)\n", port_, lostReason_));
    lost_ = false;
}
