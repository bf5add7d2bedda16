// The port list and the adapters' latency timer against a made dev/ and sys/ tree laid out and
// linked like the kernel's, and tqc-cli ports over the same tree.
#include "../support/Files.h"
#include "../support/Nobody.h"
#include "../support/Process.h"
#include "serial/ComportBackend.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// One port of the made system: a USB device below kUsb that holds the attributes
// "name=value|...", with the port's device folder below it; or a UART's folder below sys/devices.
struct MadePort {
    const char* node;    // the device node below dev/
    const char* usb;     // nullptr: no USB device
    const char* device;  // nullptr: a node left behind, with nothing in sysfs
    const char* attributes;
    const char* driver;
    const char* type;    // a UART's port type; nullptr: no UART
    const char* number;  // major:minor
    bool byId;           // named by a dev/serial/by-id link
};

const std::string kUsb = "pci0000:00/0000:00:14.0/usb1/";
const MadePort kPorts[] = {
    {"ttyUSB0", "1-2", "1-2:1.0/ttyUSB0",
     "idVendor=0403|idProduct=6001|manufacturer=FTDI|product=FT232R USB UART|serial=A50285BI", "ftdi_sio", nullptr,
     "188:0", true},
    {"ttyUSB10", "1-3", "1-3:1.0/ttyUSB10", "idVendor=1a86|idProduct=7523|product=USB\tSerial", "ch341-uart", nullptr,
     "188:10", false},
    {"ttyACM0", "1-4", "1-4:1.0", "idVendor=2341|idProduct=0043|serial=85736323838351F0B1A1", "cdc_acm", nullptr,
     "166:0", false},
    {"ttyCH343USB0", "1-5", "1-5:1.0", "idVendor=1a86|idProduct=55d3|manufacturer=wch.cn|product=USB Single Serial",
     "usb_ch343", nullptr, "170:0", true},
    {"ttyUSB1", nullptr, nullptr, "", nullptr, nullptr, nullptr, false},
    {"ttyS2", nullptr, "pnp0/00:00/00:00:0/00:00:0.0", "", "port", "4", "4:66", false},
    {"ttyS1", nullptr, "platform/serial8250/serial8250:0/serial8250:0.1", "", "port", "0", "4:65", false},
    {"ttyS10", nullptr, "pci0000:00/0000:00:16.3/0000:00:16.3:0/0000:00:16.3:0.0", "", "port", "4", "4:74", false}};

// A relative link like the kernel's, so that it leads to the same place wherever the tree lies.
void Link(const fs::path& link, const fs::path& target) {
    if (!fs::exists(target)) fs::create_directories(target);
    fs::create_directories(link.parent_path());
    fs::create_symlink(fs::relative(target, link.parent_path()), link);
}

// `root` holding the ports of kPorts, and a tty0 that is no serial port.
void MakeTree(const std::string& root) {
    files::Write(root + "/dev/tty0", "");
    for (const MadePort& port : kPorts) {
        files::Write(root + "/dev/" + port.node, "");
        if (port.byId) Link(root + "/dev/serial/by-id/usb-" + port.node + "-if00", root + "/dev/" + port.node);
        if (!port.device) continue;
        const std::string usb = port.usb ? root + "/sys/devices/" + kUsb + port.usb : "";
        const std::string device = port.usb ? usb + "/" + port.device : root + "/sys/devices/" + port.device;
        const std::string tty = device + "/tty/" + port.node;
        Link(root + "/sys/class/tty/" + port.node, tty);
        Link(tty + "/device", device);
        Link(root + "/sys/dev/char/" + port.number, tty);
        Link(device + "/driver", root + "/sys/bus/drivers/" + port.driver);
        if (port.type) files::Write(tty + "/type", port.type + std::string("\n"));
        std::istringstream attributes(port.attributes);
        for (std::string attribute; std::getline(attributes, attribute, '|');) {
            const size_t is = attribute.find('=');
            files::Write(usb + "/" + attribute.substr(0, is), attribute.substr(is + 1) + "\n");
        }
    }
}

// The tab-separated lines tqc-cli ports prints for the made tree below `root`.
std::string Listed(const std::string& root) {
    const char* const lines[] = {"/dev/ttyACM0\tcdc_acm\t2341:0043\t85736323838351F0B1A1\n",
                                 "/dev/ttyCH343USB0\twch.cn USB Single Serial\t1a86:55d3\t\n",
                                 "/dev/ttyS2\tSerielle Schnittstelle\t\t\n",
                                 "/dev/ttyS10\tSerielle Schnittstelle\t\t\n",
                                 "/dev/ttyUSB0\tFTDI FT232R USB UART\t0403:6001\tA50285BI\n",
                                 "/dev/ttyUSB10\tUSB Serial\t1a86:7523\t\n"};
    std::string text;
    for (const char* line : lines) text += root + line;
    return text;
}

// USB adapters by their vendor's strings, else their driver; UARTs only when the kernel found the
// chip; a by-id link adds the node it names once; numbers sort as numbers.
TEST(PortList, TqcCliPortsListsTheMadeTreesPortsWithTheirAdapters) {
    files::TempDir tree, empty;
    MakeTree(tree.path);
    struct Row {
        int line;
        std::vector<std::string> args;
        int status;
        std::string out;
    };
    const Row rows[] = {{__LINE__, {"--root", tree.path}, 0, Listed(tree.path)},
                        {__LINE__, {"--root", tree.path + "//"}, 0, Listed(tree.path)},
                        {__LINE__, {"--root", empty.path}, 0, "Keine seriellen Anschlüsse gefunden\n"},
                        {__LINE__, {"--root"}, 2, ""},
                        {__LINE__, {"--root", tree.path, "x"}, 2, ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        std::vector<std::string> argv = {TQC_CLI, "ports"};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        const proc::Result run = proc::Run(argv, "", 30);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_EQ(run.out, row.out);
    }
}

// The FTDI adapter's timer goes to 1 ms where its file may be written; where not, the log says
// why and what it stays at. Run as a user without rights beyond the file's.
TEST(PortList, LatencyTimerIsSetToOneMillisecondWhereWritable) {
    struct Row {
        int line;
        const char* before;
        mode_t mode;
        const char* after;
        bool problem;
    };
    const Row rows[] = {{__LINE__, "16\n", 0666, "1", false},
                        {__LINE__, "16\n", 0444, "16\n", true},
                        {__LINE__, "1\n", 0444, "1\n", false},
                        {__LINE__, nullptr, 0, nullptr, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        files::TempDir tree;
        MakeTree(tree.path);
        fs::permissions(tree.path, fs::perms(0755));
        const std::string timer = tree.path + "/sys/devices/" + kUsb + "1-2/1-2:1.0/ttyUSB0/latency_timer";
        if (row.before) files::Write(timer, row.before);
        if (row.before) fs::permissions(timer, fs::perms(row.mode));
        const std::string problem = AsNobody([&] { return comport_backend::SetLatencyTimer(tree.path, 188, 0); });
        EXPECT_EQ(problem, !row.problem ? ""
                                        : "Latenzzeit des Adapters nicht einstellbar (" + tree.path +
                                              "/sys/dev/char/188:0/device/latency_timer: " + std::strerror(EACCES) +
                                              ", bleibt 16 ms): Übertragung langsamer");
        EXPECT_EQ(files::Read(timer), row.after ? row.after : "");
    }
}

}  // namespace
