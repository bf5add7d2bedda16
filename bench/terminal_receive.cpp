// Terminal benchmark: the terminal's window on a pseudo-terminal while a device sends.
//
//   tqc_bench_terminal    (needs a display: xvfb-run -a build/bench/tqc_bench_terminal)
//
// First at 115200 baud's full rate, 11520 bytes/s of text lines, for TQC_BENCH_SECONDS (10 unless
// set), with a click posted every 100 ms: prints the GUI thread's working time against the wire
// time (target: at most 0.25), the slowest click (target: 100 ms) and whether every byte reached
// the views. Then 2 MB as fast as the writer can: the rate the window keeps up with, as a multiple
// of 115200 baud (target: at least 10x). Exit 0 whatever the numbers, 1 when it cannot start.
#include "compiler/Data.h"
#include "dialogs/TerminalDlg.h"
#include "serial/Comport.h"

#include <wx/app.h>
#include <wx/init.h>
#include "bench/GuiBench.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

class Probe : public TerminalDlg {
public:
    using TerminalDlg::m_btnSend, TerminalDlg::TextForm;
    using TerminalDlg::TerminalDlg;
};

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

void WriteAll(int fd, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else {
            pollfd p{fd, POLLOUT, 0};
            poll(&p, 1, 100);  // the line is full until the terminal reads
        }
    }
}

// Clicks posted to "Send 1" every 100 ms and the slowest wait for one since its time was due.
struct Clicks {
    explicit Clicks(Probe* dlg) : button(dlg->m_btnSend[0]) {
        button->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
            worst = std::max<long long>(
                worst, std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - posted).count());
            handled = true;
            event.Skip();
        });
    }
    // Runs the event loop until `done`; a click is due every 100 ms whether or not the window is free.
    long long RunUntil(const std::function<bool()>& done) {
        worst = 0;
        due = Clock::now();
        while (!done() || !handled) {
            if (handled && Clock::now() >= due) {
                handled = false;
                posted = due;
                due = std::max(due + std::chrono::milliseconds(100), Clock::now());
                wxCommandEvent click(wxEVT_BUTTON, button->GetId());
                button->GetEventHandler()->AddPendingEvent(click);
            }
            wxTheApp->ProcessPendingEvents();
            wxTheApp->Yield(true);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return worst;
    }

    wxButton* button;
    long long worst = 0;
    Clock::time_point posted, due;
    bool handled = true;
};

}  // namespace

int main(int argc, char** argv) {
    if (!bench::StartGui(argc, argv, "terminal")) return 1;
    int seconds = 10;
    if (const char* env = std::getenv("TQC_BENCH_SECONDS")) seconds = std::max(1, std::atoi(env));
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::fprintf(stderr, "terminal: no pseudo-terminal\n");
        return 1;
    }
    data.terminalComport = wxString::FromUTF8(ptsname(master));
    data.terminalBaud = 115200, data.terminalDataBits = 8, data.terminalStopBits = 1, data.terminalParity = "N";
    auto* dlg = new Probe(nullptr);
    dlg->Show();

    // At the wire's rate: 115 bytes every 10 ms.
    std::atomic<bool> sent{false};
    size_t total = 0;
    const double cpuStart = ThreadCpuSeconds();
    const Clock::time_point start = Clock::now();
    std::thread device([&] {
        for (int tick = 0; Clock::now() - start < std::chrono::seconds(seconds); ++tick) {
            std::string bytes;
            while (bytes.size() < 115) bytes += "Messwert " + std::to_string(tick) + "\r\n";
            WriteAll(master, bytes.substr(0, 115));
            total += 115;
            std::this_thread::sleep_until(start + std::chrono::milliseconds(10 * (tick + 1)));
        }
        sent = true;
    });
    Clicks clicks(dlg);
    long long worst = clicks.RunUntil([&] { return sent && dlg->TextForm().Bytes() >= total; });
    device.join();
    const double wire = total / 11520.0, busy = ThreadCpuSeconds() - cpuStart;
    std::printf("terminal at 115200 baud: %zu of %zu bytes shown in %.1f s of wire time\n",
                static_cast<size_t>(dlg->TextForm().Bytes()), total, wire);
    std::printf("  GUI thread busy %.2f s = %.3f of the wire time  target <= 0.25: %s\n", busy, busy / wire,
                busy / wire <= 0.25 ? "met" : "NOT met");
    std::printf("  slowest click %lld ms  target <= 100: %s\n", worst, worst <= 100 ? "met" : "NOT met");

    // As fast as the writer can.
    const std::string burst(2u << 20, 'x');
    const size_t before = dlg->TextForm().Bytes();
    const Clock::time_point burstStart = Clock::now();
    const double burstCpu = ThreadCpuSeconds();
    std::thread writer([&] { WriteAll(master, burst); });
    worst = clicks.RunUntil([&] { return dlg->TextForm().Bytes() >= before + burst.size(); });
    writer.join();
    const double burstSeconds = std::chrono::duration<double>(Clock::now() - burstStart).count();
    const double rate = burst.size() / burstSeconds / 11520.0;
    std::printf("terminal flat out: 2 MB in %.2f s = %.1f x 115200 baud  target >= 10: %s\n", burstSeconds, rate,
                rate >= 10 ? "met" : "NOT met");
    std::printf("  GUI thread busy %.2f s = %.3f of that time; slowest click %lld ms\n", ThreadCpuSeconds() - burstCpu,
                (ThreadCpuSeconds() - burstCpu) / burstSeconds, worst);
    dlg->Destroy();
    comport.Close();
    close(master);
    wxTheApp->ProcessPendingEvents();
    wxEntryCleanup();
    return 0;
}
