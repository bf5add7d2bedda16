// tqc-cli: the TqC tools without a window.
#include "app/Version.h"
#include "cli/CompileCommand.h"
#include "cli/DeviceCommands.h"
#include "cli/KonfigCommand.h"
#include "cli/LspCommand.h"
#include "cli/PortsCommand.h"

#include <wx/init.h>

#include <clocale>
#include <cstdio>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>
#endif

int RunMonitorCommand(const std::vector<std::string>& args);

namespace {

void Usage() {
    fprintf(
        stderr,
        "usage: tqc-cli --version\n"
        "       tqc-cli compile FILE.tqc [-o IMAGE] [--listing] [--json]\n"
        "  compile   compiles a script; errors go to stderr as FILE:LINE: error: TEXT,\n"
        "            the memory summary to stdout. Exit 0: no errors, 1: errors, 2: bad call.\n"
        "  -o IMAGE  writes the program image as raw bytes (only when there are no errors)\n"
        "  --listing prints every expanded line with its editor line, address, cells and command\n"
        "  --json    prints one JSON object with the image, errors and names\n"
        "       tqc-cli disasm IMAGE\n"
        "  disasm    decodes a raw image (as -o writes it) into commands, one per row\n"
        "       tqc-cli program FILE.tqc --port PORT\n"
        "  program   compiles and sends the image to the controller's loader, verifying it\n"
        "       tqc-cli konfig connect|read|write --port PORT [--model NAME | --rows K/L,K/L,...]\n"
        "  konfig    resets the bus bridge and selects a module (connect), reads its 20 key/LED\n"
        "            rows, or writes a model's standard numbering or the rows given (others 0/0)\n"
        "       tqc-cli konfig models\n"
        "  models    lists every model's standard numbering\n"
        "       tqc-cli simulate [--silent N] [--no-bridge | --no-module]\n"
        "  simulate  a simulated controller loader, bus bridge and module on a pseudo-terminal\n"
        "            (prints its path)\n"
        "       tqc-cli ports\n"
        "  ports     lists the serial ports, one line each: PORT, description, VID:PID and\n"
        "            serial number of a USB adapter, separated by tabs\n"
        "       tqc-cli monitor --port PORT [--baud N] [--hex] [--timestamps] [--log FILE] [--eol none|cr|lf|crlf]\n"
        "  monitor   shows what the port receives, as the terminal does, and sends each line typed\n"
        "            (bracket groups such as [0D] are raw bytes); Ctrl+C ends it\n"
        "       tqc-cli lsp\n"
        "  lsp       the Language Server Protocol on stdin and stdout, for other editors\n");
}

#ifdef _WIN32
// The C runtime hands main() its arguments in the ANSI code page, which cannot hold every file
// name; the wide command line can, and the commands take UTF-8 like on Linux.
std::vector<std::string> Arguments(int, char**) {
    std::vector<std::string> args;
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; wide && i < count; ++i) args.push_back(wxString(wide[i]).utf8_string());
    ::LocalFree(wide);
    return args;
}

// Output is UTF-8 and byte for byte what the Linux build writes: no CR added before LF, and a
// console shows the umlauts. Input is taken as it comes too: "lsp" counts its bytes.
void PrepareOutput() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}
#else
std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }
void PrepareOutput() {}
#endif

}  // namespace

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // A compile grows a few large buffers; served from the heap instead of fresh mappings,
    // freed memory is reused and the process takes far fewer page faults.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
    wxInitializer init;
    if (!init.IsOk()) {
        fprintf(stderr, "tqc-cli: cannot initialise the runtime\n");
        return 2;
    }
    PrepareOutput();
#ifdef LC_MESSAGES  // system error texts in the user's language; number formats stay as they are
    std::setlocale(LC_MESSAGES, "");
#endif
    std::vector<std::string> args = Arguments(argc, argv);
    if (!args.empty() && args[0] == "--version") {
        printf("tqc-cli %s\n", kTqcVersion);
        return 0;
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        Usage();
        return args.empty() ? 2 : 0;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "compile" || command == "program" || command == "simulate" || command == "konfig" ||
        command == "lsp" || command == "disasm" || command == "ports" || command == "monitor") {
        const int status = command == "compile"   ? RunCompileCommand(args)
                           : command == "program" ? RunProgramCommand(args)
                           : command == "konfig"  ? RunKonfigCommand(args)
                           : command == "lsp"     ? RunLspCommand(args)
                           : command == "disasm"  ? RunDisasmCommand(args)
                           : command == "ports"   ? RunPortsCommand(args)
                           : command == "monitor" ? RunMonitorCommand(args)
                                                  : RunSimulateCommand(args);
        return status;
    }
    fprintf(stderr, "tqc-cli: unknown command '%s'\n", command.c_str());
    Usage();
    return 2;
}
