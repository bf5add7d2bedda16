// The port list's entries and the one selected, from the stored port and the ports there are.
#include "serial/PortMatch.h"

#include <gtest/gtest.h>

namespace {

// "COM1,COM7:USB-SERIAL CH340:A1": ports separated by commas, name:description:serial.
std::vector<Comport::PortInfo> Ports(const wxString& text) {
    std::vector<Comport::PortInfo> ports;
    for (const wxString& port : wxSplit(text, ',', '\0')) {
        const wxArrayString f = wxSplit(port + "::", ':', '\0');
        ports.push_back({f[0], f[1], "", "", f[2]});
    }
    return ports;
}

TEST(PortMatch, StoredPortKeptMarkedOrFollowedByItsSerialNumber) {
    struct Row {
        int line;
        const char *stored, *serial;
        bool reachable;
        const char *ports, *expected;  // the shown entries, the selected one with "*"
    } rows[] = {
        {__LINE__, "COM7", "", false, "COM1,COM7:USB-SERIAL CH340:A1", "COM1|*COM7 — USB-SERIAL CH340"},
        {__LINE__, "COM3", "", false, "COM1", "COM1|*COM3 (nicht angeschlossen)"},
        {__LINE__, "COM3", "A1", false, "", "*COM3 (nicht angeschlossen)"},
        {__LINE__, "COM3", "A1", false, "COM1,COM8:USB-SERIAL CH340:A1", "COM1|*COM8 — USB-SERIAL CH340 followed"},
        {__LINE__, "COM1", "A1", false, "COM1::B2,COM8::A1", "*COM1|COM8"},  // the name wins
        {__LINE__, "COM3", "A1", false, "COM7::A1,COM8::A1", "COM7|COM8|*COM3 (nicht angeschlossen)"},
        {__LINE__, "/dev/pts/3", "A1", true, "/dev/ttyS0,/dev/ttyUSB1::A1", "/dev/ttyS0|/dev/ttyUSB1|*/dev/pts/3"},
        {__LINE__, "", "A1", false, "COM8::A1", "COM8"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const PortMatch match = MatchPort(row.stored, row.serial, Ports(wxString::FromUTF8(row.ports)), row.reachable);
        wxString shown;
        for (int i = 0; i < static_cast<int>(match.entries.size()); ++i)
            shown += wxString(i ? "|" : "") + (i == match.selected ? "*" : "") + match.entries[i].shown;
        EXPECT_EQ((shown + (match.followed ? " followed" : "")).utf8_string(), row.expected);
        EXPECT_EQ(match.Name(), match.selected < 0 ? wxString() : match.entries[match.selected].name);
    }
}

TEST(PortMatch, FollowedPortIsToldAndOnlyPathsThatExistAreReachable) {
    const PortMatch match = MatchPort("COM3", "A1", Ports("COM8:USB-SERIAL CH340:A1"), false);
    EXPECT_EQ(FollowedNotice("COM3", match).utf8_string(),
              "COM3 ist nicht angeschlossen; der Adapter mit der Seriennummer A1 ist jetzt COM8 — USB-SERIAL CH340 "
              "und wird benutzt.");
    EXPECT_EQ(FollowedNotice("COM3", MatchPort("COM3", "", Ports("COM8::A1"), false)), "");
    EXPECT_EQ(std::vector<bool>({PortReachable("/dev/null"), PortReachable("/dev/tqc-none"), PortReachable("COM1")}),
              std::vector<bool>({true, false, false}));
}

}  // namespace
