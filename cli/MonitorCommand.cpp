// tqc-cli monitor: the terminal's receive side in a console, for users without a desktop and for
// tests. Received lines go to stdout (and a recording) as the terminal's text or hex view shows
// them; each line of stdin is sent, with the bracket notation for raw bytes and the chosen line
// end. Ctrl+C, SIGTERM and SIGHUP end it with the port closed.
#include "cli/DeviceCommands.h"
#include "dialogs/TerminalFormat.h"
#include "serial/Comport.h"
#include "serial/SerialSession.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

int RunMonitorCommand(const std::vector<std::string>& args);

namespace {

volatile std::sig_atomic_t gStop = 0;
void OnStopSignal(int) { gStop = 1; }

constexpr const char* kUsage =
    "usage: tqc-cli monitor --port PORT [--baud N] [--databits 5-8] [--stopbits 1|2] [--parity N|O|E]\n"
    "                       [--hex] [--timestamps] [--log FILE] [--eol none|cr|lf|crlf]\n";

struct Options {
    wxString port, parity = "N";
    int baud = 115200, dataBits = 8, stopBits = 1;
    bool hex = false, timestamps = false;
    std::string log, eol;
};

int BadCall(const std::string& why) {
    fprintf(stderr, "tqc-cli monitor: %s\n%s", why.c_str(), kUsage);
    return 2;
}

// A whole decimal number within [low, high].
bool Number(const std::string& text, int low, int high, int& value) {
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || n < low || n > high) return false;
    value = static_cast<int>(n);
    return true;
}

// Empty when the options are good, else what is wrong.
std::string Parse(const std::vector<std::string>& args, Options& options) {
    const struct {
        const char* name;
        const char* bytes;
    } eols[] = {{"none", ""}, {"cr", "\r"}, {"lf", "\n"}, {"crlf", "\r\n"}};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--hex") {
            options.hex = true;
            continue;
        }
        if (option == "--timestamps") {
            options.timestamps = true;
            continue;
        }
        if (i + 1 >= args.size()) return "unknown option or missing value: " + option;
        const std::string& value = args[++i];
        bool good = true;
        if (option == "--port")
            options.port = wxString::FromUTF8(value);
        else if (option == "--baud")
            good = Number(value, 1, 4000000, options.baud);
        else if (option == "--databits")
            good = Number(value, 5, 8, options.dataBits);
        else if (option == "--stopbits")
            good = Number(value, 1, 2, options.stopBits);
        else if (option == "--parity") {
            good = value == "N" || value == "O" || value == "E";
            options.parity = value;
        } else if (option == "--log")
            options.log = value;
        else if (option == "--eol") {
            good = false;
            for (const auto& eol : eols)
                if (value == eol.name) options.eol = eol.bytes, good = true;
        } else
            return "unknown option: " + option;
        if (!good) return "bad value for " + option + ": " + value;
    }
    return options.port.empty() ? "--port is missing" : "";
}

}  // namespace

int RunMonitorCommand(const std::vector<std::string>& args) {
    Options options;
    if (const std::string wrong = Parse(args, options); !wrong.empty()) return BadCall(wrong);
    FILE* log = nullptr;
    if (!options.log.empty() && !(log = std::fopen(options.log.c_str(), "wb"))) {
        fprintf(stderr, "Die Aufzeichnung kann nicht nach %s geschrieben werden.\n", options.log.c_str());
        return 1;
    }
    if (!comport.Open(options.port, options.baud, options.dataBits, options.parity, options.stopBits)) {
        fprintf(stderr, "Comport Fehler %d: %s\n", comport.ErrorCode(), comport.ErrorText().utf8_str().data());
        if (log) std::fclose(log);
        return 1;
    }
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
#ifdef SIGHUP
    std::signal(SIGHUP, OnStopSignal);
#endif
    // Sending beside the reading is what the port allows; the process ends without waiting for
    // a line that may never come.
    std::thread([eol = options.eol] {
        for (std::string line; !gStop && std::getline(std::cin, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            comport.Send(Comport::KonvertHex(wxString::FromUTF8(line)) + eol);
        }
    }).detach();
    fprintf(stderr, "Monitor an %s, %d Baud; Ende mit Strg+C\n", options.port.utf8_str().data(), options.baud);

    TerminalFormat form(options.hex ? TerminalFormat::Form::Hex : TerminalFormat::Form::Text);
    form.SetTimestamps(options.timestamps);
    const auto emit = [&](const wxString& text) {
        if (text.empty()) return;
        PrintText(text);
        const wxScopedCharBuffer utf8 = text.utf8_str();
        if (log && (std::fwrite(utf8.data(), 1, utf8.length(), log) != utf8.length() || std::fflush(log) != 0)) {
            fprintf(stderr, "Aufzeichnung abgebrochen: %s kann nicht geschrieben werden.\n", options.log.c_str());
            std::fclose(log);
            log = nullptr;
        }
    };
    SerialSession port(options.port);
    port.UseOpenPort();
    std::string chunk;
    auto chunkStart = std::chrono::steady_clock::now();
    int status = 0;
    while (!gStop) {
        const int byte = port.Read();
        if (byte >= 0) {
            if (chunk.empty()) chunkStart = std::chrono::steady_clock::now();
            chunk.push_back(static_cast<char>(byte));
            // Lines show while bytes keep coming, one write per chunk.
            if (chunk.size() < 4096 && std::chrono::steady_clock::now() - chunkStart < std::chrono::milliseconds(20))
                continue;
        }
        wxString text;
        form.Feed(chunk, text, TerminalFormat::NowMsOfDay());
        chunk.clear();
        emit(text);
        if (byte == SerialSession::kPortGone) {
            fprintf(stderr, "Comport getrennt: %s\n", port.LostReason().utf8_str().data());
            status = 1;
            break;
        }
    }
    wxString text;
    form.Feed(chunk, text, TerminalFormat::NowMsOfDay());
    form.EndLine(text);
    emit(text);
    comport.Close();
    if (log) std::fclose(log);
    return status;
}
