// What the Windows port lister makes of the texts the system keeps about a device, portable so
// that the forms of real adapters (Wine has none) are tested everywhere.
#pragma once

#include "serial/ComportBackend.h"

#include <string>
#include <vector>

namespace comport_backend {

// A friendly name without the port Windows appends: "USB-SERIAL CH340 (COM7)" -> "USB-SERIAL CH340".
std::string DescriptionWithoutPort(const std::string& friendlyName, const std::string& port);
// VID and PID as four lower-case hex digits from a hardware or instance id
// ("USB\VID_1A86&PID_7523&REV_0264", "FTDIBUS\VID_0403+PID_6001+A50285BIA\0000"); empty if none.
void UsbIds(const std::string& id, std::string* vid, std::string* pid);
// The serial number in a USB device's instance id ("USB\VID_0403&PID_6001\A50285BI"); empty when
// the id is not a USB device's, or its last part was made up by Windows (it then holds a "&").
std::string UsbSerial(const std::string& instanceId);
// Adds a port, or fills what a port of the same name (in any case) still lacks; keeps the list
// ordered by name with numbers compared as numbers: COM2 before COM10.
void MergePort(std::vector<PortInfo>& ports, const PortInfo& port);

}  // namespace comport_backend
