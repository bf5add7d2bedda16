// Serial ports as Linux describes them in /dev and sysfs: which exist, which adapter each one is,
// and the latency timer of FTDI adapters. Every path lies below a root folder, so that the tests
// can hand over a made tree; "" or "/" is this system.
#ifndef _WIN32

#include "serial/ComportBackend.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef __linux__
#include <linux/serial.h>
#endif

namespace comport_backend {

namespace {

// The device names of serial ports: USB adapters, USB modems and boards, UARTs, ARM UARTs.
const char* const kPortPrefixes[] = {"ttyUSB", "ttyACM", "ttyS", "ttyAMA"};
// What a port that is no USB device is called: the driver of a UART says nothing to the user
// (newer kernels name them all "port").
const char* const kUartDescription = "Serielle Schnittstelle";
// Longer attribute texts are cut here; a USB string descriptor holds at most 126 characters.
constexpr size_t kAttributeMax = 255;

std::string Trimmed(std::string root) {
    while (!root.empty() && root.back() == '/') root.pop_back();
    return root;
}

bool IsNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsPortName(const std::string& name) {
    for (const char* prefix : kPortPrefixes) {
        const size_t length = std::strlen(prefix);
        if (name.compare(0, length, prefix) == 0 && IsNumber(name.substr(length))) return true;
    }
    return false;
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// The path with every link followed; empty when it does not lead anywhere.
std::string Resolved(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return "";
    std::string resolved = real;
    std::free(real);
    return resolved;
}

std::string BaseName(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// A small sysfs attribute without its line end; empty when it does not exist. Control
// characters become spaces, so a text cannot break the line it is shown in.
std::string ReadAttribute(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return "";
    char buffer[kAttributeMax];
    ssize_t n;
    do n = ::read(fd, buffer, sizeof buffer);
    while (n < 0 && errno == EINTR);
    ::close(fd);
    if (n <= 0) return "";
    std::string text(buffer, static_cast<size_t>(n));
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    for (char& c : text)
        if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = ' ';
    return text;
}

// Whether /dev/<name> is a serial port that is really there. The kernel creates ttyS0 to ttyS3
// (and more) whether or not the machine has such a UART; those report the port type "unknown" (0).
bool IsSerialPort(const std::string& root, const std::string& name) {
    const std::string sys = root + "/sys/class/tty/" + name;
    if (Exists(root + "/sys/class/tty")) {
        if (!Exists(sys + "/device")) return false;
        return ReadAttribute(sys + "/type") != "0";  // no type attribute: not a UART driver, e.g. USB
    }
#ifdef __linux__
    // No sysfs (a restricted container): ask the driver. O_NONBLOCK so that a modem line cannot
    // hold up the open.
    const int fd = ::open((root + "/dev/" + name).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    serial_struct info{};
    const bool known = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return known;
#else
    return Exists(root + "/dev/" + name);
#endif
}

// The device names below dev/ whose node a /dev/serial/by-id link names: udev makes one for each
// USB serial device, also for drivers whose names the prefixes do not know.
std::vector<std::string> ByIdNodes(const std::string& root) {
    std::vector<std::string> nodes;
    const std::string byId = root + "/dev/serial/by-id", dev = Resolved(root + "/dev") + "/";
    DIR* dir = ::opendir(byId.c_str());
    if (!dir) return nodes;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string node = Resolved(byId + "/" + entry->d_name);
        if (entry->d_name[0] != '.' && node.size() > dev.size() && node.compare(0, dev.size(), dev) == 0 &&
            node.find('/', dev.size()) == std::string::npos)
            nodes.push_back(node.substr(dev.size()));
    }
    ::closedir(dir);
    return nodes;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// What sysfs tells about /dev/<node>: the USB device it belongs to (the nearest folder above the
// port's device that has a vendor id), or a UART.
PortInfo Describe(const std::string& root, const std::string& node) {
    PortInfo info;
    info.name = root + "/dev/" + node;
    const std::string device = Resolved(root + "/sys/class/tty/" + node + "/device");
    if (device.empty()) return info;
    const std::string devices = Resolved(root + "/sys/devices") + "/";
    std::string usb = device;
    while (usb.size() > devices.size() && !Exists(usb + "/idVendor")) usb.erase(usb.rfind('/'));
    if (usb.size() <= devices.size()) {
        info.description = kUartDescription;
        return info;
    }
    info.vid = Lower(ReadAttribute(usb + "/idVendor"));
    info.pid = Lower(ReadAttribute(usb + "/idProduct"));
    info.serial = ReadAttribute(usb + "/serial");
    const std::string maker = ReadAttribute(usb + "/manufacturer"), product = ReadAttribute(usb + "/product");
    info.description = !maker.empty() && !product.empty() ? maker + " " + product : product;
    if (info.description.empty()) info.description = BaseName(Resolved(device + "/driver"));
    return info;
}

}  // namespace

bool PortNameLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitA = a[i] >= '0' && a[i] <= '9';
        const bool digitB = b[j] >= '0' && b[j] <= '9';
        if (digitA && digitB) {
            size_t endA = i, endB = j;
            while (endA < a.size() && a[endA] >= '0' && a[endA] <= '9') ++endA;
            while (endB < b.size() && b[endB] >= '0' && b[endB] <= '9') ++endB;
            // Compare the numbers without leading zeros: first by length, then digit by digit.
            size_t startA = i, startB = j;
            while (startA + 1 < endA && a[startA] == '0') ++startA;
            while (startB + 1 < endB && b[startB] == '0') ++startB;
            if (endA - startA != endB - startB) return endA - startA < endB - startB;
            const int order = a.compare(startA, endA - startA, b, startB, endB - startB);
            if (order != 0) return order < 0;
            i = endA;
            j = endB;
        } else {
            if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    if ((a.size() - i) != (b.size() - j)) return a.size() - i < b.size() - j;
    return a < b;  // equal but for leading zeros: any fixed order will do
}

std::vector<PortInfo> ListPortInfos(const std::string& rootFolder) {
    const std::string root = Trimmed(rootFolder);
    std::vector<std::string> nodes;
    if (DIR* dev = ::opendir((root + "/dev").c_str())) {
        while (const dirent* entry = ::readdir(dev))
            if (IsPortName(entry->d_name) && IsSerialPort(root, entry->d_name)) nodes.push_back(entry->d_name);
        ::closedir(dev);
    }
    for (const std::string& node : ByIdNodes(root))
        if (std::find(nodes.begin(), nodes.end(), node) == nodes.end()) nodes.push_back(node);
    std::vector<PortInfo> infos;
    for (const std::string& node : nodes) infos.push_back(Describe(root, node));
    std::sort(infos.begin(), infos.end(),
              [](const PortInfo& a, const PortInfo& b) { return PortNameLess(a.name, b.name); });
    return infos;
}

std::vector<PortInfo> ListPortInfos() { return ListPortInfos(""); }

std::vector<std::string> ListPorts() {
    std::vector<std::string> names;
    for (const PortInfo& info : ListPortInfos()) names.push_back(info.name);
    return names;
}

int Exist(int n) {
    if (n < 1) return 0;
    return static_cast<std::size_t>(n) <= ListPorts().size() ? 1 : 0;
}

std::string SetLatencyTimer(const std::string& rootFolder, unsigned major, unsigned minor) {
    const std::string path = Trimmed(rootFolder) + "/sys/dev/char/" + std::to_string(major) + ":" +
                             std::to_string(minor) + "/device/latency_timer";
    const std::string now = ReadAttribute(path);
    if (now.empty() || now == "1") return "";  // no such timer, or already as short as it goes
    int fd;
    do fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    ssize_t written = -1;
    if (fd >= 0) {
        do written = ::write(fd, "1", 1);
        while (written < 0 && errno == EINTR);
    }
    const int error = written == 0 ? EIO : errno;
    if (fd >= 0) ::close(fd);
    if (written == 1) return "";
    return "Latenzzeit des Adapters nicht einstellbar (" + path + ": " + std::strerror(error) + ", bleibt " + now +
           " ms): Übertragung langsamer";
}

}  // namespace comport_backend

#endif  // _WIN32
