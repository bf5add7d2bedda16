// The terminal's settings model at its edges, where a window shows nothing wrong: each line value
// mended only where no port takes it, no text kept outside the six banks of eight, and the view
// choices kept in TqC_Editor.ini.
#include "compiler/Data.h"
#include "settings/EditorSettings.h"
#include "settings/TerminalSettings.h"

#include <gtest/gtest.h>

namespace {

TEST(TerminalSettings, MendsOnlyWhatNoPortTakesAndKeepsNothingOutsideTheBanks) {
    const struct {
        int baud, dataBits, stopBits;
        const char *parity, *after;
    } rows[] = {{0, 0, 0, "", "115200 8 1 N"},
                {1, 5, 2, "O", "1 5 2 O"},
                {-1, 4, 3, "EE", "115200 8 1 N"},
                {300, 9, 1, "n", "300 8 1 N"},
                {9600, 8, 0, "E", "9600 8 1 E"}};
    static Data store;  // not the program's: the model must work on the store it is given
    for (const auto& row : rows) {
        store.terminalBaud = row.baud, store.terminalDataBits = row.dataBits, store.terminalStopBits = row.stopBits;
        store.terminalParity = row.parity;
        const TerminalSettings mended(store);
        EXPECT_EQ(wxString::Format("%d %d %d %s", store.terminalBaud, store.terminalDataBits, store.terminalStopBits,
                                   store.terminalParity),
                  row.after);
    }
    TerminalSettings settings(store);
    for (const auto& [bank, entry] : {std::pair(6, 0), std::pair(0, 8), std::pair(-1, 0), std::pair(0, -1)}) {
        settings.SetText(bank, entry, "x");
        EXPECT_EQ(settings.Text(bank, entry), "") << bank << "," << entry;
    }
    EXPECT_TRUE(!settings.SelectBank(6) && !settings.SelectBank(-1) && settings.SelectBank(5) && settings.Bank() == 5);
    EXPECT_FALSE(settings.Unstored());
    settings.SetText(5, 7, "edited");
    EXPECT_TRUE(settings.Unstored());
}

// Timestamps and the line end round the editor's file; a line end the list lacks changes nothing.
TEST(TerminalSettings, ViewChoicesRoundTheEditorFile) {
    const struct {
        const char* lines;
        bool timestamps;
        int lineEnd;
    } rows[] = {{"Terminal_Timestamps:1\r\nTerminal_LineEnd:3\r\n", true, EditorSettings::CrLf},
                {"Terminal_Timestamps:0\r\nTerminal_LineEnd:4\r\n", false, EditorSettings::CrLf},
                {"Terminal_LineEnd:1\r\nTerminal_LineEnd:x\r\nTerminal_LineEnd:22\r\n", false, EditorSettings::Cr}};
    for (const auto& row : rows) {
        EditorSettings file;
        file.Parse(std::string("TqC Editor :-)\r\n") + row.lines);
        const EditorSettings::Terminal& prefs = EditorSettings::TerminalPrefs();
        EXPECT_EQ(prefs.timestamps, row.timestamps) << row.lines;
        EXPECT_EQ(prefs.lineEnd, row.lineEnd) << row.lines;
        EXPECT_EQ(file.Format(), wxString::Format("TqC Editor :-)\r\nAnnotations:1\r\nTerminal_Timestamps:%d\r\n"
                                                  "Terminal_LineEnd:%d\r\n",
                                                  row.timestamps, row.lineEnd));
    }
}

}  // namespace
