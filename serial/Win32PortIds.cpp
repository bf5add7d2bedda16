#include "serial/Win32PortIds.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace comport_backend {

namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The four hex digits after `key` in `id`, lower-case; empty when they are not there.
std::string HexAfter(const std::string& id, const std::string& key) {
    const std::string upper = Upper(id);
    const std::size_t at = upper.find(key);
    if (at == std::string::npos || at + key.size() + 4 > id.size()) return std::string();
    std::string hex = id.substr(at + key.size(), 4);
    for (char& c : hex) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::string();
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return hex;
}

// Letters first, then the number as a number, then whatever follows.
bool NameLess(const std::string& a, const std::string& b) {
    const auto split = [](const std::string& name) {
        std::size_t digits = 0;
        while (digits < name.size() && !std::isdigit(static_cast<unsigned char>(name[digits]))) ++digits;
        std::size_t end = digits;
        while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end]))) ++end;
        std::string number = name.substr(digits, end - digits);
        number.erase(0, std::min(number.find_first_not_of('0'), number.size()));
        return std::make_tuple(Upper(name.substr(0, digits)), number.size(), number, name.substr(end));
    };
    return split(a) < split(b);
}

}  // namespace

std::string DescriptionWithoutPort(const std::string& friendlyName, const std::string& port) {
    const std::string suffix = " (" + Upper(port) + ")";
    const std::string upper = Upper(friendlyName);
    if (upper.size() > suffix.size() && upper.compare(upper.size() - suffix.size(), suffix.size(), suffix) == 0)
        return friendlyName.substr(0, friendlyName.size() - suffix.size());
    return friendlyName;
}

void UsbIds(const std::string& id, std::string* vid, std::string* pid) {
    *vid = HexAfter(id, "VID_");
    *pid = vid->empty() ? std::string() : HexAfter(id, "PID_");
    if (pid->empty()) vid->clear();
}

std::string UsbSerial(const std::string& instanceId) {
    const std::string upper = Upper(instanceId);
    if (upper.compare(0, 4, "USB\\") != 0 || HexAfter(instanceId, "VID_").empty()) return std::string();
    const std::size_t last = instanceId.rfind('\\');
    const std::string serial = instanceId.substr(last + 1);
    if (last < 4 || serial.find('&') != std::string::npos) return std::string();
    return serial;
}

void MergePort(std::vector<PortInfo>& ports, const PortInfo& port) {
    if (port.name.empty()) return;
    for (PortInfo& known : ports) {
        if (Upper(known.name) != Upper(port.name)) continue;
        for (auto field : {&PortInfo::description, &PortInfo::vid, &PortInfo::pid, &PortInfo::serial})
            if ((known.*field).empty()) known.*field = port.*field;
        return;
    }
    ports.insert(std::upper_bound(ports.begin(), ports.end(), port,
                                  [](const PortInfo& a, const PortInfo& b) { return NameLess(a.name, b.name); }),
                 port);
}

}  // namespace comport_backend
