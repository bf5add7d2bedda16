#include "cli/DeviceCommands.h"

#include "cli/CompileCommand.h"
#include "cli/KonfigCommand.h"
#include "compiler/Data.h"
#include "compiler/Report.h"
#include "dialogs/ProgramTransfer.h"
#include "konfig/ModelNumberings.h"
#include "serial/Comport.h"
#include "serial/DeviceProtocol.h"
#include "serial/SimulatedController.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

}  // namespace

void PrintText(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    fwrite(utf8.data(), 1, utf8.length(), stdout);
    fflush(stdout);
}

std::function<void(int, const wxString&)> ReportOpenFailure(bool& failed) {
    return [&failed](int code, const wxString& reason) {
        PrintText(wxString::Format("Comport Fehler %d: %s\n", code, reason));
        failed = true;
    };
}

int RunProgramCommand(const std::vector<std::string>& args) {
    std::string file, port;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--port" && i + 1 < args.size())
            port = args[++i];
        else if (!args[i].empty() && args[i][0] != '-' && file.empty())
            file = args[i];
        else {
            fprintf(stderr, "usage: tqc-cli program FILE.tqc --port PORT\n");
            return 2;
        }
    }
    if (file.empty() || port.empty()) {
        fprintf(stderr, "usage: tqc-cli program FILE.tqc --port PORT\n");
        return 2;
    }
    std::string problem;
    if (!CompileScriptFile(file, problem)) {
        fprintf(stderr, "tqc-cli program: %s: %s\n", file.c_str(), problem.c_str());
        return 2;
    }
    if (data.errorCount > 0) {
        PrintCompileErrors(file);
        return 1;
    }
    const wxString tooLarge = ImageTooLargeText(data.outputCount);
    if (!tooLarge.empty()) {
        // A longer image would reach the loader with a wrong length; nothing is sent.
        const wxString line = wxString::Format("%s: error: %s\n", wxString::FromUTF8(file.c_str()), tooLarge);
        const wxScopedCharBuffer text = line.utf8_str();
        fwrite(text.data(), 1, text.length(), stderr);
        return 1;
    }

    data.programComport = wxString::FromUTF8(port.c_str());
    std::signal(SIGINT, OnInterrupt);
    gl_iProgramStop = 0;
    ProgramTransfer transfer;
    wxString lastLabel;
    transfer.log = [](const wxString& text) { PrintText(text); };
    transfer.label = [&lastLabel](const wxString& text) { lastLabel = text; };
    // A port that cannot be opened ends the command instead of repeating the request into nothing.
    bool openFailed = false;
    transfer.openFailed = ReportOpenFailure(openFailed);
    int shown = -1;
    transfer.progress = [&shown](int sent, int verified, int total) {
        // One line per tenth, so a log stays readable.
        const int step = total > 0 ? (10 * (sent + verified)) / (2 * total) : 10;
        if (step != shown) PrintText(wxString::Format(L"gesendet %d / %d, gepr\u00fcft %d / %d\n", sent, total, verified, total));
        shown = step;
    };
    // Ctrl+C stops like "Stop/Clear": the transfer sees it at its next wait and closes the port.
    transfer.pump = [&openFailed] {
        if (interrupted || openFailed) gl_iProgramStop = 0;
    };
    const bool ok = transfer.Run();
    comport.Close();
    if (ok) return 0;
    PrintText(wxString::Format("Abbruch: %s\n", openFailed ? wxString("Comport") : lastLabel));
    return interrupted ? 130 : 3;
}

int RunSimulateCommand(const std::vector<std::string>& args) {
    SimulatedController::Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--silent" && i + 1 < args.size()) {
            options.silentRequests = std::atoi(args[++i].c_str());
        } else if (args[i] == "--no-bridge") {
            options.faultPhase = SimulatedController::Phase::BridgeO;
            options.faultMute = true;
        } else if (args[i] == "--no-module") {
            options.faultPhase = SimulatedController::Phase::ModuleConnect;
            options.faultMute = true;
        } else {
            fprintf(stderr, "usage: tqc-cli simulate [--silent N] [--no-bridge | --no-module]\n");
            return 2;
        }
    }
    // The module starts out numbered like a PX8 panel, so a first read shows something.
    const ModelNumbering* model = FindModel("PX8-101");
    for (const KonfigPair& pair : ModelValues(*model))
        for (int number : {pair.taster, pair.led})
            options.moduleRecord.insert(options.moduleRecord.end(),
                                        {static_cast<unsigned char>(number >> 8), static_cast<unsigned char>(number)});
    SimulatedController controller(options);
    controller.onImage = [](const std::vector<unsigned char>& image, int length) {
        // The image as received: address and 16 bytes per row, only the announced length.
        wxString listing = wxString::Format("Programm empfangen: %d Bytes\n", length);
        for (int row = 0; row < length; row += 16) {
            listing += wxString::Format("%05d ", row);
            for (int i = row; i < row + 16 && i < length && i < static_cast<int>(image.size()); ++i)
                listing += wxString::Format(" %02X", image[i]);
            listing += "\n";
        }
        PrintText(listing);
    };
    controller.onRequest = [](const std::string& entry) {
        // Entries read "(***:CONN)@38400"; the loader's repeated requests would flood the screen.
        const size_t at = entry.find('@');
        if (entry.compare(0, at, protocol::kProgram) != 0)
            PrintText(wxString::Format("Anfrage %s bei %s Baud\n", entry.substr(0, at), entry.substr(at + 1)));
    };
    controller.onModuleWrite = [](const std::vector<unsigned char>& record) {
        PrintText("Modul beschrieben:\n" + FormatKonfigRows(KonfigFromRecord(record.data())));
    };
    if (!controller.Start()) {
        fprintf(stderr, "tqc-cli simulate: %s\n", static_cast<const char*>(controller.ErrorText().utf8_str()));
        return 2;
    }
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    PrintText(wxString::Format("Simulierte Steuerung an %s (Ende mit Strg+C)\n", controller.SlavePath()));
    // The devices run on their own thread; this one only waits for the end.
    while (!interrupted) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    controller.Stop();
    return 0;
}
