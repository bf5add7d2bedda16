// The settings file: the tolerant reader's quirks, the exact bytes written, the atomic write and
// where the file lives when the program's folder cannot be written.
#include "settings/Datei.h"

#include "CompileHelpers.h"

#include <filesystem>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace tqc_test;

namespace {

// Every member the file carries back to 0 or empty, as the test program starts.
void Blank() {
    for (int* i : {&data.windowPosX, &data.windowPosY, &data.windowWidth, &data.windowHeight, &data.autoCompFilterOn,
                   &data.terminalBaud, &data.terminalDataBits, &data.terminalStopBits})
        *i = 0;
    for (int* rgb : {data.colorCommands, data.colorText, data.colorVariablen, data.colorPreprozessor,
                     data.colorKommentare, data.colorRest})
        std::fill(rgb, rgb + 3, 0);
    for (wxString* t :
         {&data.programDir, &data.autoCompFilter, &data.programComport, &data.terminalParity, &data.terminalComport})
        t->clear();
    for (auto& bank : data.terminalPresets)
        for (wxString& entry : bank) entry.clear();
}

// The lines of Format() that differ from `blank`, each without its CR and followed by "|": what
// reading a file changed, as the file would then be written.
std::string Changed(const std::string& blank) {
    std::istringstream now(Datei::Format()), was(blank);
    std::string out;
    for (std::string a, b; std::getline(now, a) && std::getline(was, b);)
        if (a != b) out += a.substr(0, a.size() - 1) + "|";
    return out;
}

class DateiTest : public ::testing::Test {
protected:
    void SetUp() override {
        Blank();
        setenv("XDG_CONFIG_HOME", config_.path.c_str(), 1);  // never the real user's folder
        data.programDir = W(dir_);
    }
    void TearDown() override { Blank(); }
    std::string Path() const { return dir_ + "/TqC_Konfig.ini"; }

    const files::TempDir folder_, config_;
    const std::string dir_ = folder_.path, userPath_ = config_ / "TqC/TqC_Konfig.ini";
};

TEST_F(DateiTest, ReaderEdgeCases) {
    const std::string blank = Datei::Format();
    const std::pair<std::string, std::string> rows[] = {
        // lines end in CR, the byte after it is dropped: a file without one has no line
        {"TqC Konfig Datei :-)\nMain_Window_Size:10800,10600\nEOF\n", ""},
        {"TqC Konfig Datei :-)\rMain_Window_Size:10800,10600\r", ""},
        {"Terminal_Baud:000300\rXTerminal_Datenbits:7\r\n", "Terminal_Baud:000300|Terminal_Datenbits:7|"},
        // a key anywhere in the line, case-sensitive, each value read at its fixed offsets and width
        {"xyz Main_Window_Size:10800,10600\r\n", "Main_Window_Size:10800,10600|"},
        {"main_window_size:10800,10600\r\n", ""},
        {"Main_Window_Size:108000,10600\r\n", "Main_Window_Size:10800,00000|"},
        {"Main_Window_Pos: 9990,-0005\r\n", "Main_Window_Pos:09990,-00005|"},
        {"Main_Window_Size:10800\r\n", "Main_Window_Size:10800,00000|"},
        {"Main_Window_Color_Text:12,34,56\r\n", "Main_Window_Color_Text:012,004,000|"},
        {"Main_Window_Color_Commands:000,000,255\r\n", "Main_Window_Color_Commands:000,000,255|"},  // still a colour
        {"Main_Window_Color_Rest:abc,1x2,-5\r\n", "Main_Window_Color_Rest:000,001,-005|"},
        {"Terminal_Paritaet:Even\r\n", "Terminal_Paritaet:E|"},
        {"Terminal_Presets:3,5,a,b, c\r\nTerminal_Presets:5,78,x\r\n",
         "Terminal_Presets:3,5,a,b, c|Terminal_Presets:5,7,,x|"},
        // the last line with a CR counts
        {"Terminal_Baud:009600\r\nTerminal_Baud:019200\r\n", "Terminal_Baud:019200|"},
        {"Terminal_Baud:009600\r\nTerminal_Baud:019200", "Terminal_Baud:009600|"},
        {"Program_Comport:COM1 Terminal_Baud:115200\r\n",
         "Program_Comport:COM1 Terminal_Baud:115200|Terminal_Baud:115200|"},
        // UTF-8 as written (see the round trip), or else ISO-8859-1
        {"Main_Settings_Filter:\xe4x\r\n", "Main_Settings_Filter:äx|"}};
    for (const auto& [file, changed] : rows) {
        Blank();
        Datei::Parse(file);
        EXPECT_EQ(Changed(blank), changed) << "for " << file;
    }
    // at most 15000 lines are read
    std::string filler;
    for (int i = 0; i < 14999; ++i) filler += "x\r\n";
    Datei::Parse(filler + "Terminal_Baud:000300\r\n");
    Datei::Parse(filler + "x\r\nTerminal_Baud:000600\r\n");
    EXPECT_EQ(data.terminalBaud, 300);
}

// A file with every kind of value reads into the state that writes it again. Only a Commands
// colour above 255 is written as black (and stored so); the file lives beside the program, or in
// the user's folder when the program's is missing.
TEST_F(DateiTest, FormatAndRoundTripThroughTheFile) {
    std::string expected =
        "TqC Konfig Datei :-)\r\nMain_Window_Size:10800,10600\r\nMain_Window_Pos:09992,10020\r\n"
        "Main_Window_Color_Commands:000,000,000\r\nMain_Window_Color_Text:300,000,000\r\n"
        "Main_Window_Color_Variablen:000,128,255\r\nMain_Window_Color_Preprozessor:000,160,000\r\n"
        "Main_Window_Color_Kommentare:130,130,130\r\nMain_Window_Color_Rest:001,002,003\r\n"
        "Main_Settings_Filter:setäö ab\r\nMain_Settings_Filter_EA:1\r\nProgram_Comport:COM3\r\n"
        "Terminal_Baud:009600\r\nTerminal_Datenbits:8\r\nTerminal_Stopbits:1\r\nTerminal_Paritaet:N\r\n"
        "Terminal_Comport:/dev/ttyUSB0\r\n";
    for (char bank = '0'; bank <= '5'; ++bank)
        for (char entry = '0'; entry <= '7'; ++entry) {
            const std::string text = bank == '0' && entry == '0'   ? "AT"
                                     : bank == '5' && entry == '7' ? "Grüße, Welt"
                                                                   : "";
            expected += std::string("Terminal_Presets:") + bank + "," + entry + "," + text + "\r\n";
        }
    expected += "EOF\r\n";
    Datei::Parse(expected);
    // the values as the program uses them, where reading and writing could err alike
    EXPECT_EQ((std::vector<int>{data.windowWidth, data.windowHeight, data.windowPosX, data.windowPosY,
                                data.colorText[0], data.colorRest[2], data.terminalBaud}),
              (std::vector<int>{800, 600, -8, 20, 300, 3, 9600}));
    EXPECT_EQ(U(data.autoCompFilter + "|" + data.terminalPresets[5][7]), "setäö ab|Grüße, Welt");
    data.colorCommands[1] = 256;
    data.terminalPresets[6][0] = data.terminalPresets[0][8] = "nie";
    EXPECT_EQ(Datei::Format(), expected);
    EXPECT_EQ(data.colorCommands[1], 256);
    EXPECT_FALSE(Datei().DataLoad());  // no file yet
    for (const auto& [programDir, path] : {std::pair(dir_, Path()), std::pair(dir_ + "/fehlt", userPath_)}) {
        SCOPED_TRACE(path);
        data.programDir = W(programDir);
        EXPECT_EQ(U(Datei::SettingsPath()), path);
        wxString notice, error;
        ASSERT_TRUE(Datei().DataStore(&notice, &error));  // a new file: the caller shows the notice
        EXPECT_EQ(U(notice) + "|" + U(error), "TqC_Konfig.ini nicht vorhanden, wird neu geschrieben !|");
        EXPECT_EQ(std::vector<int>(data.colorCommands, data.colorCommands + 3), std::vector<int>(3, 0));
        notice.clear();
        ASSERT_TRUE(Datei().DataStore(&notice));  // over the old file, leaving no temporary file
        EXPECT_EQ(U(notice), "");
        EXPECT_FALSE(std::filesystem::exists(path + ".tmp~"));
        EXPECT_EQ(files::Read(path), expected);
        Blank();
        data.programDir = W(programDir);
        ASSERT_TRUE(Datei().DataLoad());
        EXPECT_EQ(Datei::Format(), expected);
    }
    const std::string home = getenv("HOME") ? getenv("HOME") : "";
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", dir_.c_str(), 1);
    EXPECT_EQ(U(Datei::SettingsPath()), dir_ + "/.config/TqC/TqC_Konfig.ini");
    setenv("HOME", home.c_str(), 1);
}

// A failed write keeps the old file and names the file and the system's reason.
TEST_F(DateiTest, FailedWriteOrRenameKeepsTheOldFileAndSaysWhy) {
    files::Write(Path(), "alt\r\n");
    std::filesystem::create_directory(Path() + ".tmp~");  // the temporary file cannot be made
    wxString notice, error;
    EXPECT_FALSE(Datei().DataStore(&notice, &error));
    EXPECT_EQ(files::Read(Path()) + U(notice), "alt\r\n");
    EXPECT_EQ(U(error), "TqC_Konfig.ini kann nicht geschrieben werden:\n" + Path() + "\n" + strerror(EISDIR));

    std::filesystem::remove_all(Path() + ".tmp~");
    std::filesystem::remove(Path());
    std::filesystem::create_directory(Path());  // nothing can be renamed over a folder
    error.clear();
    EXPECT_FALSE(Datei().DataStore(nullptr, &error));
    EXPECT_NE(U(error).find(Path()), std::string::npos) << U(error);
    EXPECT_FALSE(std::filesystem::exists(Path() + ".tmp~"));  // the temporary file is removed
}

TEST_F(DateiTest, ReadOnlyProgramFolderReadsShippedFileAndWritesTheUsersOwn) {
    files::Write(Path(), "Terminal_Baud:001200\r\n");
    ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
    if (access(dir_.c_str(), W_OK) == 0) {
        chmod(dir_.c_str(), 0755);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_EQ(U(Datei::SettingsPath()), userPath_);
    EXPECT_TRUE(Datei().DataLoad());
    EXPECT_EQ(data.terminalBaud, 1200);
    data.terminalBaud = 2400;
    EXPECT_TRUE(Datei().DataStore());
    EXPECT_EQ(files::Read(Path()), "Terminal_Baud:001200\r\n");
    data.terminalBaud = 0;
    EXPECT_TRUE(Datei().DataLoad());
    EXPECT_EQ(data.terminalBaud, 2400);
    chmod(dir_.c_str(), 0755);
}

}  // namespace
