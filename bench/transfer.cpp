// Program transfer benchmark: images to the simulated controller over a pseudo-terminal, its every
// answer held back 0, 1, 4 and 16 ms as a USB adapter's latency timer would. Each run's time is
// set against the protocol's own bound: the round trips times the latency plus the time the bytes
// take on a 115200 baud line. The latency counted is what the device thread really slept (a busy
// machine wakes it late, which is not the PC side's doing). The ratio is the PC's overhead; the
// target is at most 1.05. Smaller images at higher latency keep the whole run within seconds.
#include "compiler/Data.h"
#include "dialogs/ProgramTransfer.h"
#include "serial/DeviceProtocol.h"
#include "serial/SimulatedController.h"

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

// 10 bits per byte at the loader's speed.
constexpr double kSecondsPerByte = 10.0 / protocol::kLoaderBaud;

struct Run {
    int latencyMs, cells;
};

}  // namespace

int main() {
    const Run runs[] = {{0, 8000}, {1, 512}, {4, 128}, {16, 16}};
    int status = 0;
    for (const Run& run : runs) {
        for (int i = 0; i < kImageCells; ++i) data.outputValue[i] = (i * 7 + 3) & 0xFF;
        data.outputCount = run.cells;
        SimulatedController::Options options;
        options.latencyMs = run.latencyMs;
        SimulatedController controller(options);
        if (!controller.Start()) {
            fprintf(stderr, "bench: no pseudo-terminal: %s\n",
                    static_cast<const char*>(controller.ErrorText().utf8_str()));
            return 2;
        }
        int stop = 0;
        ProgramTransfer transfer(controller.SlavePath(), {data.outputValue, kImageCells, data.outputCount}, stop);
        // The prescribed pauses are not the PC's work: counted, not slept.
        transfer.sleep = [](int) {};
        const auto start = Clock::now();
        const bool ok = transfer.Run();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        controller.Stop();
        const double slept = controller.Delayed();
        if (!ok) {
            fprintf(stderr, "bench: the transfer at %d ms failed\n", run.latencyMs);
            status = 1;
            continue;
        }
        // One answer per request, length byte, image byte, block end, "<" and byte verified.
        const int blocks = (run.cells + protocol::kBlockBytes - 1) / protocol::kBlockBytes;
        const int trips = 1 + 1 + blocks * (protocol::kBlockBytes + 1) + 1 + run.cells;
        // PC to loader: request, length, blocks with their N/E, a "?" per byte; loader to PC: the answers.
        const int bytesOut = protocol::kRequestLength + 2 + blocks * (protocol::kBlockBytes + 1) + run.cells;
        const double wire = (bytesOut + trips) * kSecondsPerByte;
        const double bound = slept + wire;
        printf(
            "latency %2d ms: %5d cells, %5d round trips, %6.3f s; bound %6.3f s (latency %.3f s = %.2f ms x trips, "
            "wire %.3f s);"
            " ratio %.2f  target <= 1.05: %s\n",
            run.latencyMs, run.cells, trips, seconds, bound, slept, slept * 1000 / trips, wire, seconds / bound,
            seconds / bound <= 1.05 ? "met" : "NOT met");
    }
    return status;
}
