// Terminal receive benchmark: 2 MB written into a pseudo-terminal as fast as the writer can, read
// by the terminal's receive path (worker thread, chunks formatted for both views). Prints the
// bytes shown against the bytes sent (target: all) and the rate as a multiple of 115200 baud
// (11520 bytes/s; target: at least 10x).
#include "dialogs/TerminalReceiver.h"
#include "serial/Comport.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

int main() {
    constexpr size_t kBytes = 2u << 20;
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        fprintf(stderr, "bench: no pseudo-terminal\n");
        return 2;
    }
    if (!comport.Open(wxString::FromUTF8(ptsname(master)), 115200, 8, "N", 1)) {
        fprintf(stderr, "bench: cannot open the pseudo-terminal\n");
        return 2;
    }
    std::atomic<size_t> shown{0};
    std::atomic<bool> inOrder{true};
    wxString text, hex;
    TerminalReceiver receiver(
        [&](std::string bytes) {
            // What the dialog does with a chunk: both views' texts, then count what arrived.
            for (size_t i = 0; i < bytes.size(); ++i)
                if (static_cast<unsigned char>(bytes[i]) != ((shown + i) & 0xFF)) inOrder = false;
            text.clear();
            hex.clear();
            FormatReceived(bytes, text, hex);
            shown += bytes.size();
        },
        [](wxString) {});
    receiver.Start();

    std::string data(kBytes, '\0');
    for (size_t i = 0; i < kBytes; ++i) data[i] = static_cast<char>(i & 0xFF);
    const auto start = std::chrono::steady_clock::now();
    size_t written = 0;
    while (written < kBytes) {
        const ssize_t n = write(master, data.data() + written, kBytes - written);
        if (n > 0) written += static_cast<size_t>(n);
        else {
            pollfd p{master, POLLOUT, 0};
            poll(&p, 1, 100);  // the pseudo-terminal's buffer is full: wait until the reader drains it
        }
    }
    while (shown < kBytes && std::chrono::steady_clock::now() - start < std::chrono::seconds(60))
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    receiver.Stop();
    comport.Close();
    close(master);

    const double rate = shown / seconds;
    printf("terminal receive: %zu of %zu bytes shown, in order: %s\n", shown.load(), kBytes, inOrder ? "yes" : "NO");
    printf("  %.2f s, %.0f bytes/s = %.1f x 115200 baud (11520 bytes/s)  target >= 10: %s\n", seconds, rate,
           rate / 11520.0, rate / 11520.0 >= 10 ? "met" : "NOT met");
    return 0;
}
