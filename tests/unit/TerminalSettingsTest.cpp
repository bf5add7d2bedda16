// The terminal's settings model at its edges, where a window shows nothing wrong: each line value
// mended only where no port takes it, and no text kept outside the six banks of eight.
#include "compiler/Data.h"
#include "settings/TerminalSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(TerminalSettings, MendsOnlyWhatNoPortTakesAndKeepsNothingOutsideTheBanks) {
    const struct { int baud, dataBits, stopBits; const char *parity, *after; } rows[] = {
        {0, 0, 0, "", "115200 8 1 N"}, {1, 5, 2, "O", "1 5 2 O"}, {-1, 4, 3, "EE", "115200 8 1 N"},
        {300, 9, 1, "n", "300 8 1 N"}, {9600, 8, 0, "E", "9600 8 1 E"}};
    for (const auto& row : rows) {
        data.terminalBaud = row.baud, data.terminalDataBits = row.dataBits, data.terminalStopBits = row.stopBits;
        data.terminalParity = row.parity;
        const TerminalSettings mended;
        EXPECT_EQ(wxString::Format("%d %d %d %s", data.terminalBaud, data.terminalDataBits, data.terminalStopBits,
                                   data.terminalParity), row.after);
    }
    TerminalSettings settings;
    for (const auto& [bank, entry] : {std::pair(6, 0), std::pair(0, 8), std::pair(-1, 0), std::pair(0, -1)}) {
        settings.SetText(bank, entry, "x");
        EXPECT_EQ(settings.Text(bank, entry), "") << bank << "," << entry;
    }
    EXPECT_TRUE(!settings.SelectBank(6) && !settings.SelectBank(-1) && settings.SelectBank(5) && settings.Bank() == 5);
}

}  // namespace
