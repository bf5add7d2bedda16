// The Windows programs under Wine, in a throwaway prefix, against the Linux build and the same
// simulated devices, reached through COM ports that Wine maps to pseudo-terminals.
#include "../support/CliCalls.h"
#include "../support/LspFrames.h"
#include "../support/PtyMaster.h"
#include "compiler/Data.h"
#include "settings/Datei.h"
#include "settings/SyntaxColours.h"

#include <algorithm>
#include <cstdio>
#include <pwd.h>

namespace fs = std::filesystem;

namespace {

const std::string kSource = TQC_SOURCE_DIR, kWinDir = TQC_WIN_DIR;
std::string prefix;  // the Wine prefix of this run

proc::Result Wine(std::vector<std::string> args, const std::string& cwd, double timeout = 120,
                  const std::function<void(pid_t, double)>& whileRunning = nullptr,
                  const std::string& input = "/dev/null") {
    args.insert(args.begin(), "wine");
    return proc::Run(args, cwd, timeout, whileRunning, input);
}

// COMn of the prefix is the given device from now on (Wine looks the link up at every open).
void MapCom(int n, const std::string& device) {
    const fs::path link = fs::path(prefix) / "dosdevices" / ("com" + std::to_string(n));
    std::error_code ignored;
    fs::remove(link, ignored);
    fs::create_symlink(device, link);
}

class WinePrefix : public ::testing::Environment {
public:
    void SetUp() override {
        prefix = (fs::temp_directory_path() / ("tqc-wine-" + std::to_string(getpid()))).string();
        fs::remove_all(prefix);
        setenv("WINEPREFIX", prefix.c_str(), 1);
        setenv("WINEDEBUG", "-all", 1);
        // No browser or .NET runtime offered for download while the prefix is made.
        setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
        // On a fresh CI machine the first boot has failed at once and without a word; it is
        // tried once more, after stopping any wineserver, and what both said is kept.
        proc::Result boot = proc::Run({"wineboot", "-i"}, "", 300);
        if (boot.status != 0) {
            std::fprintf(stderr, "wineboot -i: exit %d, %s%s; again\n", boot.status, boot.out.c_str(),
                         boot.err.c_str());
            proc::Run({"wineserver", "-k"}, "", 30);
            fs::remove_all(prefix);
            boot = proc::Run({"wineboot", "-i"}, "", 300);
        }
        ASSERT_EQ(boot.status, 0) << "wineboot -i: " << boot.out << boot.err
                                  << proc::Run({"wine", "--version"}, "", 30).out;
    }
    void TearDown() override {
        proc::Run({"wineserver", "-k"}, "", 30);
        fs::remove_all(prefix);
    }
};

const ::testing::Environment* const kPrefix = ::testing::AddGlobalTestEnvironment(new WinePrefix);

// ---- the language server: the same answers, framed by byte counts that hold ----

TEST(LanguageServer, AnswersLikeLinux) {
    const files::TempDir dir;
    files::Write(dir / "lib.inc", "defvar Licht = 1\n");
    // The Linux whole-session row, the file named as a Windows editor names it.
    const lspframes::Row session = lspframes::ReadRows("file:///Z:" + dir.path).front();
    files::Write(dir / "session", session.sent);
    const proc::Result w = Wine({kWinDir + "/tqc-cli.exe", "lsp"}, "", 60, nullptr, dir / "session");
    EXPECT_EQ(w.status, 0) << w.err;
    EXPECT_EQ(lspframes::Bodies(w.out), session.expected);
}
// ---- tqc-cli: the Linux build's output, files and bytes on the line ----

using clicalls::Sim;

// One tqc-cli call in `dir`: "@" is the simulator's COMn under Wine, its device path on Linux.
clicalls::Outcome Call(bool windows, std::vector<std::string> args, const std::string& dir, int com = 5,
                       const Sim::Options& options = {},
                       const std::function<void(Sim&, pid_t, double)>& watch = nullptr) {
    return clicalls::Call(
        dir, options,
        [&](const std::string& slave, const clicalls::Watch& act) {
            for (std::string& a : args)
                if (a == "@") a = windows ? "COM" + std::to_string(com) : slave;
            args.insert(args.begin(), windows ? kWinDir + "/tqc-cli.exe" : std::string(TQC_CLI));
            if (windows) MapCom(com, slave);
            return windows ? Wine(args, dir, 120, act) : proc::Run(args, dir, 60, act);
        },
        watch);
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        clicalls::MakeFolder(work_.path);
        // A folder with blanks and umlauts, the script's include beside it, compiled from outside.
        const fs::path odd = work_ / u8"Übungen mit Leerzeichen/Räume";
        fs::create_directories(odd);
        fs::copy_file(kSource + "/examples/protokoll.tqc", odd / u8"Küche.tqc");
        fs::copy_file(kSource + "/examples/protokoll.inc", odd / "protokoll.inc");
        const proc::Result bench = proc::Run({"python3", kSource + "/bench/gen_bench.py", work_ / "bench"}, "", 120);
        ASSERT_EQ(bench.status, 0) << bench.err;
    }

    const files::TempDir work_;
};

// Everything both builds leave behind must agree (the Linux listings are the reviewed ones). The
// COM ports cycle through 5, 12 and 17: COM10 and above are reached through the device namespace.
TEST_F(Cli, EveryCallGivesTheLinuxOutputFilesAndBytes) {
    struct Row {
        int line;
        std::vector<std::string> args;
        int com = 5;
        Sim::Options options = {};
        clicalls::Json files = {};
    };
    std::vector<Row> rows = {
        {__LINE__, {"compile", u8"Übungen mit Leerzeichen/Räume/Küche.tqc", "--listing", "-o", "image.bin"}},
        {__LINE__, {"compile", "bench/bench.tqc", "-o", "image.bin"}},
        {__LINE__, {"compile", "bench/bench.tqc", "--json"}}};
    for (const char* example : {"wohnzimmer", "zeitschaltung", "protokoll"})
        for (const char* form : {"--listing", "--json"})
            rows.push_back(
                {__LINE__, {"compile", std::string("examples/") + example + ".tqc", form, "-o", "image.bin"}});
    const int coms[] = {5, 12, 17};
    for (const clicalls::Json& call : clicalls::Calls())
        if (call["call"].get<std::string>().find("/dev/") == std::string::npos)  // Linux paths only on Linux
            rows.push_back({__LINE__, clicalls::Words(call["call"], "@"), coms[rows.size() % 3],
                            clicalls::OptionsOf(call), call.value("files", clicalls::Json::object())});
    for (const Row& row : rows) {
        std::string shown;
        for (const std::string& arg : row.args) shown += arg + " ";
        SCOPED_TRACE(testing::Message() << "case at line " << row.line << ": " << shown << "(COM" << row.com << ")");
        for (const auto& [name, text] : row.files.items()) files::Write(work_ / name, text.get<std::string>());
        const auto l = Call(false, row.args, work_.path, row.com, row.options),
                   w = Call(true, row.args, work_.path, row.com, row.options);
        EXPECT_EQ(w.run.status, l.run.status) << w.run.err;
        EXPECT_EQ(clicalls::Steady(w.run.out), clicalls::Steady(l.run.out));
        EXPECT_EQ(w.run.err, l.run.err);
        EXPECT_EQ(w.image, l.image);
        EXPECT_EQ(w.received, l.received);
        EXPECT_EQ(w.requests, l.requests);  // with the line speed of every request
        EXPECT_EQ(w.stored, l.stored);
        EXPECT_EQ(w.record, l.record);
        EXPECT_EQ(w.announced, l.announced);
    }
}

// Only under Windows: Ctrl+C ends the wait for a silent loader, a port that goes ends the transfer,
// a missing COM port is reported with the system's code (ERROR_FILE_NOT_FOUND).
TEST_F(Cli, CtrlCAPulledAndAMissingPortEndTheTransfer) {
    Sim::Options silent, stalls;
    silent.silentRequests = 1000000;
    stalls.faultPhase = Sim::Phase::BeforeByte;
    stalls.faultIndex = 50;
    stalls.faultMute = true;
    bool acted = false;
    const struct {
        int line;
        const char* script;
        const char* port;
        Sim::Options options;
        std::function<void(Sim&, pid_t, double)> watch;
        int status;
        const char* output;
    } rows[] = {{__LINE__, "wohnzimmer", "@", silent,
                 [&](Sim&, pid_t pid, double elapsed) {
                     if (elapsed > 3 && !acted) acted = kill(pid, SIGINT) == 0;
                 },
                 130, "warten auf Verbindung"},
                {__LINE__, "zeitschaltung", "@", stalls,
                 [&](Sim& sim, pid_t, double) {
                     if (acted || sim.Received().size() < 55) return;
                     sim.Vanish();
                     acted = true;
                 },
                 3, "Port Fehler: COM5 ist nicht mehr erreichbar"},
                {__LINE__, "wohnzimmer", "COM19", {}, nullptr, 3, "Comport Fehler 2:"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        acted = false;
        const auto w = Call(true, {"program", std::string("examples/") + row.script + ".tqc", "--port", row.port},
                            work_.path, 5, row.options, row.watch);
        EXPECT_FALSE(w.run.timedOut) << "the transfer hung";
        EXPECT_EQ(w.run.status, row.status) << w.run.out << w.run.err;
        EXPECT_NE(w.run.out.find(row.output), std::string::npos) << w.run.out;
    }
}

// ---- the port list ----

// Every COM port registered with Wine is listed, above COM9 too, in number order and in the four
// tab-separated fields of the Linux build. The registration is taken back afterwards: Wine would
// otherwise remake the ports' links at its next start over those the other tests set.
TEST(Ports, ListsEveryRegisteredComPortInNumberOrder) {
    const std::string kWinePorts = "HKLM\\Software\\Wine\\Ports";
    const PtyMaster pty;
    ASSERT_TRUE(pty.Ok());
    const auto registerPorts = [&](bool add) {
        for (const char* name : {"COM17", "COM5", "COM12"}) {
            std::vector<std::string> args = {"reg", add ? "add" : "delete", kWinePorts, "/v", name, "/f"};
            if (add) args.insert(args.end(), {"/d", pty.Slave()});
            Wine(args, "");
        }
        proc::Run({"wineserver", "-w"}, "", 60);  // the next start reads the registration
    };
    registerPorts(true);
    const proc::Result w = Wine({kWinDir + "/tqc-cli.exe", "ports"}, "");
    registerPorts(false);
    ASSERT_EQ(w.status, 0) << w.err;
    std::string registered;
    for (std::size_t start = 0, end; start < w.out.size(); start = end + 1) {
        end = w.out.find('\n', start);
        if (end == std::string::npos) end = w.out.size();
        const std::string line = w.out.substr(start, end - start);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3) << line;
        const std::string name = line.substr(0, line.find('\t'));
        if (name == "COM5" || name == "COM12" || name == "COM17") registered += name + " ";
    }
    EXPECT_EQ(registered, "COM5 COM12 COM17 ") << w.out;
}

// ---- the installer ----

TEST(Installer, InstallsForTheUserAndUninstallsWhatItPutThere) {
    const std::string setup = std::string(TQC_SOURCE_DIR) + "/dist/TqC-" + TQC_VERSION + "-setup.exe";
    ASSERT_TRUE(fs::exists(setup)) << setup;
    ASSERT_EQ(Wine({setup, "/S", "/CurrentUser"}, "").status, 0);
    const std::string user = getpwuid(getuid())->pw_name;  // Wine names the profile after it
    const fs::path dir = fs::path(prefix) / "drive_c/users" / user / "AppData/Local/Programs/TqC";
    for (const char* file : {"tqc.exe", "tqc-cli.exe", "README.txt", "Beispiele/wohnzimmer.tqc", "Deinstallieren.exe"})
        EXPECT_TRUE(fs::exists(dir / file)) << file;
    const proc::Result open = Wine({"reg", "query", "HKCU\\Software\\Classes\\TqC.Script\\shell\\open\\command"}, "");
    EXPECT_NE(open.out.find("tqc.exe\" \"%1\""), std::string::npos) << open.out;
    const proc::Result compile =
        Wine({(dir / "tqc-cli.exe").string(), "compile", "Beispiele/wohnzimmer.tqc"}, dir.string());
    EXPECT_EQ(compile.status, 0) << compile.err;

    // The user's own files in the folder stay; "_?=" runs the uninstaller in place and waits.
    files::Write(dir / "TqC_Konfig.ini", "TqC Konfig Datei :-)\r\n");
    ASSERT_EQ(
        Wine({(dir / "Deinstallieren.exe").string(), "/S", "_?=C:\\users\\" + user + "\\AppData\\Local\\Programs\\TqC"},
             "")
            .status,
        0);
    for (const char* gone : {"tqc.exe", "Beispiele"}) EXPECT_FALSE(fs::exists(dir / gone)) << gone;
    EXPECT_TRUE(fs::exists(dir / "TqC_Konfig.ini"));
    EXPECT_NE(Wine({"reg", "query", "HKCU\\Software\\Classes\\TqC.Script"}, "").status, 0);
}

// ---- the desktop program ----

TEST(DesktopProgram, StartsWithAScriptAndWritesTheSameSettings) {
    const files::TempDir dir;
    fs::copy_file(kWinDir + "/tqc.exe", dir / "tqc.exe");
    // The settings as the Linux build writes them.
    data.windowPosX = 40, data.windowPosY = 30, data.windowWidth = 900, data.windowHeight = 640;
    syntax::SetStandard(data);
    data.autoCompFilter = "dout din", data.autoCompFilterOn = 1;
    data.programComport = "COM3", data.terminalComport = "COM4";
    data.terminalBaud = 115200, data.terminalDataBits = 8, data.terminalStopBits = 1, data.terminalParity = "N";
    data.terminalPresets[2][3] = wxString::FromUTF8("(***:PROG)[0D] Grüße");
    const std::string linux = Datei::Format();
    files::Write(dir / "TqC_Konfig.ini", linux);

    const std::string screenshot = std::string(TQC_ARTIFACT_DIR) + "/windows-main-window.png";
    bool shown = false, closed = false;
    const proc::Result run =
        Wine({dir / "tqc.exe", kSource + "/examples/wohnzimmer.tqc"}, dir.path, 120, [&](pid_t, double elapsed) {
            if (closed || elapsed < 2) return;
            if (!shown) {
                // The title is the script's path, as Windows writes it.
                shown = proc::Run({"xdotool", "search", "--name", "wohnzimmer.tqc"}, "", 10).status == 0;
                if (!shown) return;
                std::this_thread::sleep_for(std::chrono::seconds(2));  // let the first paint finish
                proc::Run({"import", "-window", "root", screenshot}, "", 30);
            }
            // A close request as the window's close box sends it, not a kill.
            closed = proc::Run({"wine", "taskkill", "/im", "tqc.exe"}, "", 30).status == 0;
        });
    EXPECT_TRUE(shown) << "no window titled with the script";
    EXPECT_TRUE(closed);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(screenshot));
    EXPECT_EQ(files::Read(dir / "TqC_Konfig.ini"), linux);
}

}  // namespace
