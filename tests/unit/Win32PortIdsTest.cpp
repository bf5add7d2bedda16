// What the Windows port lister reads out of the ids and names of real adapters, and the order
// and merging of its sources, tested where no such adapter exists.
#include <gtest/gtest.h>

#include "serial/Win32PortIds.h"

namespace {

using namespace comport_backend;

TEST(Win32PortIds, AdaptersAreKnownByNameIdsAndSerialNumber) {
    const struct {
        int line;
        const char *friendly, *port, *description, *id, *vidPid, *instance, *serial;
    } rows[] = {{__LINE__, "USB-SERIAL CH340 (COM7)", "COM7", "USB-SERIAL CH340", "USB\\VID_1A86&PID_7523&REV_0264",
                 "1a86:7523", "USB\\VID_1A86&PID_7523\\5&2E3C2F4&0&2", ""},
                {__LINE__, "USB Serial Port (com12)", "COM12", "USB Serial Port", "FTDIBUS\\COMPORT&VID_0403&PID_6001",
                 "0403:6001", "USB\\VID_0403&PID_6001\\A50285BI", "A50285BI"},
                {__LINE__, "Kommunikationsanschluss (COM1)", "COM1", "Kommunikationsanschluss", "ACPI\\PNP0501", ":",
                 "ACPI\\PNP0501\\0", ""},
                {__LINE__, "Arduino Uno (COM3) ", "COM3", "Arduino Uno (COM3) ", "usb\\vid_2341&pid_0043", "2341:0043",
                 "USB\\VID_2341&PID_0043\\85736323838351F0B0B1", "85736323838351F0B0B1"},
                {__LINE__, "(COM4)", "COM4", "(COM4)", "USB\\VID_12G4&PID_0001", ":", "USB\\VID_2341", ""},
                {__LINE__, "Port (COM1)", "COM11", "Port (COM1)", "FTDIBUS\\VID_0403+PID_60", ":",
                 "FTDIBUS\\VID_0403+PID_6001+A5\\0000", ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        std::string vid, pid;
        UsbIds(row.id, &vid, &pid);
        EXPECT_EQ(DescriptionWithoutPort(row.friendly, row.port), row.description);
        EXPECT_EQ(vid + ":" + pid, row.vidPid);
        EXPECT_EQ(UsbSerial(row.instance), row.serial);
    }
}

TEST(Win32PortIds, SourcesMergeByNameInNumberOrder) {
    std::vector<PortInfo> ports;
    const std::vector<PortInfo> found = {{"COM10", "", "", "", ""},
                                         {"COM2", "Modem", "", "", ""},
                                         {"COM100", "", "", "", ""},
                                         {"", "", "", "", ""},
                                         {"com10", "CH340", "1a86", "7523", "X1"},
                                         {"COM1", "", "", "", ""},
                                         {"COM2", "Other", "0403", "6001", "A5"},
                                         {"COM02A", "", "", "", ""}};
    for (const PortInfo& port : found) MergePort(ports, port);
    std::string shown;
    for (const PortInfo& p : ports)
        shown += p.name + "=" + p.description + "/" + p.vid + ":" + p.pid + "/" + p.serial + " ";
    EXPECT_EQ(shown, "COM1=/:/ COM2=Modem/0403:6001/A5 COM02A=/:/ COM10=CH340/1a86:7523/X1 COM100=/:/ ");
}

}  // namespace
