// Program transfer benchmark: a 32000-cell image to the simulated controller over a
// pseudo-terminal. Prints the PC side's time per image byte (the prescribed pauses not counted)
// against one write-and-read round trip through a pseudo-terminal, measured in the same run.
// The exchange needs two round trips per byte (">" then the byte, "?" then the answer); the
// target is at most three.
#include "compiler/Data.h"
#include "dialogs/ProgramTransfer.h"
#include "serial/Comport.h"
#include "serial/SimulatedController.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// One byte out and back through a pseudo-terminal whose other side echoes it.
double RoundTripSeconds(int rounds) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return -1;
    const wxString slave = wxString::FromUTF8(ptsname(master));
    std::atomic<bool> stop{false};
    std::thread echo([&] {
        unsigned char byte;
        pollfd p{master, POLLIN, 0};
        while (!stop) {
            if (poll(&p, 1, 50) > 0 && read(master, &byte, 1) == 1) (void)!write(master, &byte, 1);
        }
    });
    Comport port;
    double seconds = -1;
    if (port.Open(slave, 115200, 8, "N", 1)) {
        const auto start = Clock::now();
        for (int i = 0; i < rounds; ++i) {
            port.Send(wxString(wxUniChar(0x55)));
            if (port.Read() < 0) break;
        }
        seconds = std::chrono::duration<double>(Clock::now() - start).count() / rounds;
        port.Close();
    }
    stop = true;
    echo.join();
    close(master);
    return seconds;
}

}  // namespace

int main() {
    constexpr int kCells = 32000;
    for (int i = 0; i < kCells; ++i) data.outputValue[i] = (i * 7 + 3) & 0xFF;
    data.outputCount = kCells;

    SimulatedController controller;
    if (!controller.Start()) {
        fprintf(stderr, "bench: no pseudo-terminal: %s\n", static_cast<const char*>(controller.ErrorText().utf8_str()));
        return 2;
    }
    data.programComport = controller.SlavePath();
    ProgramTransfer transfer;
    double pauses = 0;
    // The pauses the exchange prescribes are counted, not slept: they are not the PC's work.
    transfer.sleep = [&pauses](int ms) { pauses += ms / 1000.0; };
    gl_iProgramStop = 0;
    const auto start = Clock::now();
    const bool ok = transfer.Run();
    const double total = std::chrono::duration<double>(Clock::now() - start).count();
    controller.Stop();
    if (!ok) {
        fprintf(stderr, "bench: the transfer failed\n");
        return 1;
    }
    const double perByte = total / kCells;
    const double roundTrip = RoundTripSeconds(2000);
    printf("transfer of %d cells: %.3f s (prescribed pauses %.1f s not slept)\n", kCells, total, pauses);
    printf("  per image byte      %.1f us\n", perByte * 1e6);
    printf("  one round trip      %.1f us\n", roundTrip * 1e6);
    printf("  round trips / byte  %.2f  target <= 3.00: %s\n", perByte / roundTrip,
           perByte / roundTrip <= 3.0 ? "met" : "NOT met");
    return 0;
}
