// The editor's own settings file: the ports' serial numbers beside the recent files.
#include "../support/Files.h"
#include "compiler/Data.h"
#include "settings/EditorSettings.h"

#include <gtest/gtest.h>

namespace {

using Port = EditorSettings::Port;

TEST(EditorSettings, PortSerialsReadWrittenAndStoredWithTheRecentFiles) {
    EditorSettings settings;
    settings.Parse(
        "TqC Editor :-)\r\nRecent_File:/a.tqc\r\nTerminal_Comport_Serial:T9\r\n"
        "Program_Comport_Serial:A1\r\n");
    EXPECT_EQ(EditorSettings::PortSerial(Port::Program) + "|" + EditorSettings::PortSerial(Port::Terminal), "A1|T9");
    EditorSettings::SetPortSerial(Port::Terminal, "T\r\nRecent_File:/x");  // cannot start a line of its own
    EXPECT_EQ(settings.Format(),
              "TqC Editor :-)\r\nRecent_File:/a.tqc\r\nAnnotations:1\r\n"
              "Program_Comport_Serial:A1\r\nTerminal_Comport_Serial:TRecent_File:/x\r\n"
              "Terminal_Timestamps:0\r\nTerminal_LineEnd:0\r\n");
    settings.Parse("TqC Editor :-)\r\n");  // a file from before the numbers were kept
    EXPECT_EQ(EditorSettings::PortSerial(Port::Program) + EditorSettings::PortSerial(Port::Terminal), "");

    files::TempDir dir;
    const wxString saved = data.programDir;
    data.programDir = wxString::FromUTF8(dir.path);
    files::Write(dir / EditorSettings::kFileName, "TqC Editor :-)\r\nRecent_File:/b.tqc\r\n");
    EditorSettings::SetPortSerial(Port::Program, "A1");
    EditorSettings::TerminalPrefs().lineEnd = EditorSettings::CrLf;  // held, not yet in the file
    EXPECT_TRUE(EditorSettings::StorePortSerial(Port::Terminal, "T2"));
    EditorSettings::TerminalPrefs() = EditorSettings::Terminal();
    data.programDir = saved;
    EXPECT_EQ(files::Read(dir / EditorSettings::kFileName),
              "TqC Editor :-)\r\nRecent_File:/b.tqc\r\nAnnotations:1\r\nProgram_Comport_Serial:A1\r\n"
              "Terminal_Comport_Serial:T2\r\nTerminal_Timestamps:0\r\nTerminal_LineEnd:3\r\n");
    settings.Parse("");
}

}  // namespace
