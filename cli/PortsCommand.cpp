#include "cli/PortsCommand.h"

#include "serial/ComportBackend.h"

#include <cstdio>

namespace {

void PortsUsage() {
#ifdef _WIN32
    fprintf(stderr, "usage: tqc-cli ports\n");
#else
    fprintf(stderr, "usage: tqc-cli ports [--root DIR]\n");
#endif
}

}  // namespace

int RunPortsCommand(const std::vector<std::string>& args) {
    std::vector<comport_backend::PortInfo> ports;
#ifdef _WIN32
    if (!args.empty()) {
        PortsUsage();
        return 2;
    }
    ports = comport_backend::ListPortInfos();
#else
    // --root lists the ports of a made file tree (dev/ and sys/) instead of this system's.
    if (!args.empty() && (args.size() != 2 || args[0] != "--root" || args[1].empty())) {
        PortsUsage();
        return 2;
    }
    ports = comport_backend::ListPortInfos(args.empty() ? "" : args[1]);
#endif
    std::string text;
    for (const comport_backend::PortInfo& port : ports) {
        const std::string ids = port.vid.empty() && port.pid.empty() ? "" : port.vid + ":" + port.pid;
        text += port.name + "\t" + port.description + "\t" + ids + "\t" + port.serial + "\n";
    }
    if (ports.empty()) text = "Keine seriellen Anschlüsse gefunden\n";
    fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
