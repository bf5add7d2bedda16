#include "app/StartOptions.h"

StartOptions ParseStartOptions(const std::vector<std::string>& args) {
    StartOptions options;
    for (size_t i = 0; i < args.size() && options.error.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--port") {
            if (i + 1 < args.size() && !args[i + 1].empty())
                options.port = args[++i];
            else
                options.error = "--port needs a port, for example /dev/ttyUSB0";
        } else if (arg.rfind("--port=", 0) == 0 && arg.size() > 7) {
            options.port = arg.substr(7);
        } else if (!arg.empty() && arg[0] == '-') {
            options.error = "unknown option " + arg;
        } else if (options.script.empty()) {
            options.script = arg;
        } else {
            options.error = "only one script can be opened";
        }
    }
    if (!options.error.empty()) options.error = "tqc: " + options.error + "\nusage: tqc [--port PORT] [SCRIPT.tqc]";
    return options;
}
