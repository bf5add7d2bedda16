// The settings file: the tolerant reader's quirks, the exact bytes written, the atomic write and
// where the file lives when the program's folder cannot be written.
#include "settings/Datei.h"

#include "DriverSupport.h"

#include <filesystem>
#include <algorithm>
#include <functional>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

using drvtest::MakeTempDir;
using drvtest::ReadBytes;
using drvtest::U;
using drvtest::W;
using drvtest::WriteBytes;

namespace {

constexpr const char* kNotice = "TqC_Konfig.ini nicht vorhanden, wird neu geschrieben !";

std::vector<int*> IntMembers() {
    std::vector<int*> ints = {&data.windowPosX,     &data.windowPosY,        &data.windowWidth,
                              &data.windowHeight,   &data.autoCompFilterOn,  &data.terminalBaud,
                              &data.terminalDataBits, &data.terminalStopBits};
    for (int* rgb : {data.colorCommands, data.colorText, data.colorVariablen, data.colorPreprozessor,
                     data.colorKommentare, data.colorRest})
        for (int k = 0; k < 3; ++k) ints.push_back(rgb + k);
    return ints;
}

std::vector<wxString*> TextMembers() {
    std::vector<wxString*> texts = {&data.programDir, &data.autoCompFilter, &data.programComport,
                                    &data.terminalParity, &data.terminalComport};
    for (auto& bank : data.terminalPresets)
        for (wxString& entry : bank) texts.push_back(&entry);
    return texts;
}

std::string Rgb(const int* c) { return std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]); }

std::string Geometry() {
    return std::to_string(data.windowWidth) + "x" + std::to_string(data.windowHeight) + "@" +
           std::to_string(data.windowPosX) + "," + std::to_string(data.windowPosY);
}

// The presets that are not empty, as "bank.entry=text" joined by " ".
std::string Presets() {
    std::string out;
    for (int b = 0; b < 10; ++b)
        for (int e = 0; e < 10; ++e)
            if (!data.terminalPresets[b][e].empty())
                out += (out.empty() ? "" : " ") + std::to_string(b) + "." + std::to_string(e) + "=" +
                       U(data.terminalPresets[b][e]);
    return out;
}

void Blank() {
    for (int* i : IntMembers()) *i = 0;
    for (wxString* t : TextMembers()) t->clear();
}

class DateiTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int* i : IntMembers()) savedInts_.push_back(*i);
        for (wxString* t : TextMembers()) savedTexts_.push_back(*t);
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
            const char* value = getenv(name);
            savedEnv_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        Blank();
        dir_ = MakeTempDir();
        config_ = MakeTempDir();
        setenv("XDG_CONFIG_HOME", config_.c_str(), 1);  // never the real user's folder
        data.programDir = W(dir_);
    }
    void TearDown() override {
        const std::vector<int*> ints = IntMembers();
        for (size_t i = 0; i < ints.size(); ++i) *ints[i] = savedInts_[i];
        const std::vector<wxString*> texts = TextMembers();
        for (size_t i = 0; i < texts.size(); ++i) *texts[i] = savedTexts_[i];
        for (const auto& [name, value] : savedEnv_)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }
    // A state with every kind of value, umlauts included.
    static void Fill() {
        data.windowWidth = 800, data.windowHeight = 600, data.windowPosX = -8, data.windowPosY = 20;
        const int colours[6][3] = {{0, 0, 180}, {230, 0, 0}, {0, 128, 255}, {0, 160, 0}, {130, 130, 130}, {1, 2, 3}};
        int* members[6] = {data.colorCommands, data.colorText, data.colorVariablen,
                           data.colorPreprozessor, data.colorKommentare, data.colorRest};
        for (int c = 0; c < 6; ++c) std::copy(colours[c], colours[c] + 3, members[c]);
        data.autoCompFilter = W("set\xc3\xa4\xc3\xb6 ab");
        data.autoCompFilterOn = 1;
        data.programComport = "COM3";
        data.terminalBaud = 9600, data.terminalDataBits = 8, data.terminalStopBits = 1;
        data.terminalParity = "N";
        data.terminalComport = "/dev/ttyUSB0";
        data.terminalPresets[0][0] = "AT";
        data.terminalPresets[5][7] = W("Gr\xc3\xbc\xc3\x9f" "e, Welt");
    }
    std::string Path() const { return dir_ + "/TqC_Konfig.ini"; }
    std::string UserPath() const { return config_ + "/TqC/TqC_Konfig.ini"; }

    std::string dir_, config_;
    std::vector<int> savedInts_;
    std::vector<wxString> savedTexts_;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnv_;
};

TEST_F(DateiTest, ReaderEdgeCases) {
    struct Row {
        int line;
        std::string file;
        std::function<std::string()> get;
        std::string expected;
    } rows[] = {
        {__LINE__, "TqC Konfig Datei :-)\nMain_Window_Size:10800,10600\nEOF\n", Geometry, "0x0@0,0"},
        {__LINE__, "TqC Konfig Datei :-)\rMain_Window_Size:10800,10600\r", Geometry, "0x0@0,0"},
        {__LINE__, "Terminal_Baud:000300\rXTerminal_Datenbits:7\r\n",
         [] { return std::to_string(data.terminalBaud) + "|" + std::to_string(data.terminalDataBits); }, "300|7"},
        {__LINE__, "xyz Main_Window_Size:10800,10600\r\n", Geometry, "800x600@0,0"},
        {__LINE__, "main_window_size:10800,10600\r\n", Geometry, "0x0@0,0"},
        {__LINE__, "Main_Window_Size:108000,10600\r\n", Geometry, "800x-10000@0,0"},
        {__LINE__, "Main_Window_Pos: 9990,-0005\r\n", Geometry, "0x0@-10,-10005"},
        {__LINE__, "Main_Window_Size:10800\r\n", Geometry, "800x-10000@0,0"},
        {__LINE__, "Main_Window_Color_Text:12,34,56\r\n", [] { return Rgb(data.colorText); }, "12,4,0"},
        {__LINE__, "Main_Window_Color_Rest:abc,1x2,-5\r\n", [] { return Rgb(data.colorRest); }, "0,1,-5"},
        {__LINE__, "Terminal_Paritaet:Even\r\n", [] { return U(data.terminalParity); }, "E"},
        {__LINE__, "Terminal_Presets:3,5,a,b, c\r\nTerminal_Presets:9,9,neun\r\n", Presets, "3.5=a,b, c 9.9=neun"},
        {__LINE__, "Terminal_Baud:009600\r\nTerminal_Baud:019200\r\n", [] { return std::to_string(data.terminalBaud); },
         "19200"},
        {__LINE__, "Terminal_Baud:009600\r\nTerminal_Baud:019200", [] { return std::to_string(data.terminalBaud); },
         "9600"},
        {__LINE__, "Program_Comport:COM1 Terminal_Baud:115200\r\n",
         [] { return U(data.programComport) + "|" + std::to_string(data.terminalBaud); },
         "COM1 Terminal_Baud:115200|115200"},
        // UTF-8 as written (see the round trip), or else ISO-8859-1
        {__LINE__, "Main_Settings_Filter:\xe4x\r\n", [] { return U(data.autoCompFilter); }, "\xc3\xa4x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        Blank();
        Datei::Parse(row.file);
        EXPECT_EQ(row.get(), row.expected);
    }
}

TEST_F(DateiTest, AtMost15000LinesAreRead) {
    std::string filler;
    for (int i = 0; i < 14999; ++i) filler += "x\r\n";
    Datei::Parse(filler + "Terminal_Baud:000300\r\n");
    EXPECT_EQ(data.terminalBaud, 300);
    data.terminalBaud = 0;
    Datei::Parse(filler + "x\r\nTerminal_Baud:000300\r\n");
    EXPECT_EQ(data.terminalBaud, 0);
}

TEST_F(DateiTest, FormatWritesEveryLineInOrder) {
    Fill();
    data.terminalPresets[6][0] = "nie";  // banks 6-9 and entries 8-9 are never written
    data.terminalPresets[0][8] = "nie";
    std::string expected =
        "TqC Konfig Datei :-)\r\n"
        "Main_Window_Size:10800,10600\r\n"
        "Main_Window_Pos:09992,10020\r\n"
        "Main_Window_Color_Commands:000,000,180\r\n"
        "Main_Window_Color_Text:230,000,000\r\n"
        "Main_Window_Color_Variablen:000,128,255\r\n"
        "Main_Window_Color_Preprozessor:000,160,000\r\n"
        "Main_Window_Color_Kommentare:130,130,130\r\n"
        "Main_Window_Color_Rest:001,002,003\r\n"
        "Main_Settings_Filter:set\xc3\xa4\xc3\xb6 ab\r\n"
        "Main_Settings_Filter_EA:1\r\n"
        "Program_Comport:COM3\r\n"
        "Terminal_Baud:009600\r\n"
        "Terminal_Datenbits:8\r\n"
        "Terminal_Stopbits:1\r\n"
        "Terminal_Paritaet:N\r\n"
        "Terminal_Comport:/dev/ttyUSB0\r\n";
    for (char bank = '0'; bank <= '5'; ++bank)
        for (char entry = '0'; entry <= '7'; ++entry) {
            std::string text;
            if (bank == '0' && entry == '0') text = "AT";
            if (bank == '5' && entry == '7') text = "Gr\xc3\xbc\xc3\x9f" "e, Welt";
            expected += std::string("Terminal_Presets:") + bank + "," + entry + "," + text + "\r\n";
        }
    expected += "EOF\r\n";
    EXPECT_EQ(Datei::Format(), expected);
}

// Format() holds every member the file carries, so it serves to compare the states. The file
// lives beside the program, or in the user's folder (made on the way) when the program's is missing.
TEST_F(DateiTest, RoundTripThroughTheFile) {
    Fill();
    data.terminalParity = "E";
    const std::string before = Datei::Format();
    for (const auto& [programDir, path] : {std::pair(dir_, Path()), std::pair(dir_ + "/fehlt", UserPath())}) {
        SCOPED_TRACE(path);
        data.programDir = W(programDir);
        EXPECT_EQ(U(Datei::SettingsPath()), path);
        wxString notice, error;
        ASSERT_TRUE(Datei().DataStore(&notice, &error));  // a new file: the caller shows the notice
        EXPECT_EQ(U(notice), kNotice);
        EXPECT_EQ(U(error), "");
        notice.clear();
        ASSERT_TRUE(Datei().DataStore(&notice));  // over the old file, leaving no temporary file
        EXPECT_EQ(U(notice), "");
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
            names.push_back(entry.path().filename());
        EXPECT_EQ(names, std::vector<std::string>{"TqC_Konfig.ini"});
        EXPECT_EQ(ReadBytes(path), before);
        Blank();
        data.programDir = W(programDir);
        ASSERT_TRUE(Datei().DataLoad());
        EXPECT_EQ(Datei::Format(), before);
    }
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", dir_.c_str(), 1);
    EXPECT_EQ(U(Datei::SettingsPath()), dir_ + "/.config/TqC/TqC_Konfig.ini");
}

TEST_F(DateiTest, OnlyAnInvalidCommandsColourIsReset) {
    data.colorCommands[0] = 300;
    data.colorText[0] = 300;
    ASSERT_TRUE(Datei().DataStore());
    const std::string file = ReadBytes(Path());
    EXPECT_NE(file.find("Main_Window_Color_Commands:000,000,000\r\n"), std::string::npos);
    EXPECT_NE(file.find("Main_Window_Color_Text:300,000,000\r\n"), std::string::npos);
    EXPECT_EQ(Rgb(data.colorCommands), "0,0,0");
    data.colorCommands[1] = 256;  // what is written matches DataStore, yet Format changes nothing
    EXPECT_NE(Datei::Format().find("Main_Window_Color_Commands:000,000,000\r\n"), std::string::npos);
    EXPECT_EQ(data.colorCommands[1], 256);
    data.colorCommands[1] = 0;
    data.colorCommands[2] = 255;  // 255 is still a colour
    EXPECT_NE(Datei::Format().find("Main_Window_Color_Commands:000,000,255\r\n"), std::string::npos);
}

TEST_F(DateiTest, MissingOrIncompleteFile) {
    data.terminalBaud = 4800;
    EXPECT_FALSE(Datei().DataLoad());
    EXPECT_EQ(data.terminalBaud, 4800);
    WriteBytes(Path(), "TqC Konfig Datei :-)\nTerminal_Baud:009600\n");
    EXPECT_TRUE(Datei().DataLoad());  // there, but without a single CR: nothing to read
    EXPECT_EQ(data.terminalBaud, 4800);
}

TEST_F(DateiTest, FailedWriteKeepsTheOldFileAndSaysWhy) {
    WriteBytes(Path(), "alt\r\n");
    std::filesystem::create_directory(Path() + ".tmp~");  // the temporary file cannot be made
    wxString notice, error;
    EXPECT_FALSE(Datei().DataStore(&notice, &error));
    EXPECT_EQ(ReadBytes(Path()), "alt\r\n");
    EXPECT_EQ(U(notice), "");
    EXPECT_NE(U(error).find(Path()), std::string::npos) << U(error);
    EXPECT_NE(U(error).find(strerror(EISDIR)), std::string::npos) << U(error);
}

TEST_F(DateiTest, FailedRenameRemovesTheTemporaryFile) {
    std::filesystem::create_directory(Path());  // nothing can be renamed over a folder
    wxString error;
    EXPECT_FALSE(Datei().DataStore(nullptr, &error));
    EXPECT_NE(U(error).find(Path()), std::string::npos) << U(error);
    EXPECT_FALSE(std::filesystem::exists(Path() + ".tmp~"));
}

TEST_F(DateiTest, ReadOnlyProgramFolderReadsShippedFileAndWritesTheUsersOwn) {
    WriteBytes(Path(), "Terminal_Baud:001200\r\n");
    ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
    if (access(dir_.c_str(), W_OK) == 0) {
        chmod(dir_.c_str(), 0755);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    EXPECT_EQ(U(Datei::SettingsPath()), UserPath());
    EXPECT_TRUE(Datei().DataLoad());
    EXPECT_EQ(data.terminalBaud, 1200);
    data.terminalBaud = 2400;
    EXPECT_TRUE(Datei().DataStore());
    EXPECT_EQ(ReadBytes(Path()), "Terminal_Baud:001200\r\n");
    data.terminalBaud = 0;
    EXPECT_TRUE(Datei().DataLoad());
    EXPECT_EQ(data.terminalBaud, 2400);
    chmod(dir_.c_str(), 0755);
}

}  // namespace
