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

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void OnStopSignal(int signal) { stopSignal = signal; }

// The signals that end a device command, with the names its last line gives them.
const struct {
    int number;
    const char* name;
} kStopSignals[] = {
    {SIGINT, "SIGINT"},
    {SIGTERM, "SIGTERM"},
#ifdef SIGHUP
    {SIGHUP, "SIGHUP"},
#endif
#ifdef SIGBREAK
    {SIGBREAK, "SIGBREAK"},  // Ctrl+Break in a Windows console
#endif
};

}  // namespace

void CatchStopSignals() {
    for (const auto& s : kStopSignals) std::signal(s.number, OnStopSignal);
}

int StopSignal() { return stopSignal; }

wxString StopSignalText() {
    for (const auto& s : kStopSignals)
        if (s.number == stopSignal) return wxString::Format("Abbruch: Signal %s empfangen, Port geschlossen\n", s.name);
    return wxString();
}

int StopSignalStatus() { return 128 + stopSignal; }

void SleepUnlessStopped(int ms) {
    // Short slices: a signal does not cut a sleep short on every platform.
    for (int slept = 0; slept < ms && !stopSignal; slept += 10)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(10, ms - slept)));
}

void UseCommandLineAdvice(SerialSession& session, const char* command) {
    session.advice.stop = "Strg+C zum Abbrechen\n";
    session.advice.retry = wxString::FromUTF8("Die Steuerung kurz von der Spannung trennen und tqc-cli ") + command +
                           " erneut aufrufen.\n";
    session.advice.reconnect = "- innerhalb ca. 2 Sek. tqc-cli konfig connect aufrufen\n\n";
}

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

    CatchStopSignals();
    int stop = 0;  // 1 while the transfer runs; 0 asks it to stop
    ProgramTransfer transfer(wxString::FromUTF8(port.c_str()), {data.outputValue, kImageCells, data.outputCount}, stop);
    UseCommandLineAdvice(transfer, "program");
    wxString lastLabel;
    transfer.log = [](const wxString& text) { PrintText(text); };
    transfer.label = [&lastLabel](const wxString& text) { lastLabel = text; };
    transfer.sleep = SleepUnlessStopped;
    // A port that cannot be opened ends the command instead of repeating the request into nothing.
    bool openFailed = false;
    transfer.openFailed = ReportOpenFailure(openFailed);
    wxString shownWord;
    int shownTenth = -2;
    transfer.phase = [&](const wxString& text, int percent) {
        // One line per phase and tenth, so a log stays readable.
        const int tenth = percent < 0 ? -1 : percent / 10;
        if (tenth == shownTenth && text.BeforeFirst(' ') == shownWord) return;
        shownTenth = tenth;
        shownWord = text.BeforeFirst(' ');
        PrintText(text + "\n");
    };
    // A stop signal stops like "Stop/Clear": the transfer sees it at its next wait and closes the port.
    transfer.pump = [&stop, &openFailed] {
        if (stopSignal || openFailed) stop = 0;
    };
    const bool ok = transfer.Run();
    comport.Close();
    if (ok) return 0;
    if (stopSignal) {
        PrintText(StopSignalText());
        return StopSignalStatus();
    }
    PrintText(wxString::Format("Abbruch: %s\n", openFailed ? wxString("Comport") : lastLabel));
    return 3;
}

int RunSimulateCommand(const std::vector<std::string>& args) {
    SimulatedController::Options options;
    std::string problem;
    if (!ParseSimulatedOptions(args, options, problem)) {
        fprintf(stderr,
                "tqc-cli simulate: %s\n"
                "usage: tqc-cli simulate [--silent N] [--no-bridge | --no-module | --fault PHASE[:INDEX]]\n"
                "                        [--stale TEXT] [--latency MS] [--late ANSWER:MS] [--surplus-prompt]\n",
                problem.c_str());
        return 2;
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
    CatchStopSignals();
    PrintText(wxString::Format("Simulierte Steuerung an %s (Ende mit Strg+C)\n", controller.SlavePath()));
    // The devices run on their own thread; this one only waits for the end.
    while (!stopSignal) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    controller.Stop();
    return 0;
}
