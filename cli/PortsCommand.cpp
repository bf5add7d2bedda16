// tqc-cli ports: every serial port the system knows, one a line, with what tells the adapters
// apart: NAME, DESCRIPTION, VID:PID and SERIAL, separated by tabs, empty fields left empty.
#include "serial/ComportBackend.h"

#include <cstdio>
#include <string>
#include <vector>

int RunPortsCommand(const std::vector<std::string>& args) {
    if (!args.empty()) {
        fprintf(stderr, "usage: tqc-cli ports\n");
        return 2;
    }
    for (const comport_backend::PortInfo& port : comport_backend::ListPortInfos()) {
        const std::string ids = port.vid.empty() ? "" : port.vid + ":" + port.pid;
        printf("%s\t%s\t%s\t%s\n", port.name.c_str(), port.description.c_str(), ids.c_str(), port.serial.c_str());
    }
    return 0;
}
