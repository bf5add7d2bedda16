// The desktop program's command line.
#include "app/StartOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(StartOptions, ScriptAndPortInAnyOrderWrongCallsSayWhy) {
    // the arguments, and "SCRIPT|PORT" or "!" and what the error names
    const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
        {{}, "|"},
        {{"a.tqc"}, "a.tqc|"},
        {{"--port", "/dev/pts/3", "a.tqc"}, "a.tqc|/dev/pts/3"},
        {{"a.tqc", "--port", "/dev/ttyUSB0"}, "a.tqc|/dev/ttyUSB0"},
        {{"--port=/dev/pts/4"}, "|/dev/pts/4"},
        {{"--port", "COM12", "--port", "COM3"}, "|COM3"},  // the last one counts
        {{"--port"}, "!--port needs a port"},
        {{"a.tqc", "--port", ""}, "!--port needs a port"},
        {{"--port="}, "!unknown option --port="},
        {{"-x", "a.tqc"}, "!unknown option -x"},
        {{"a.tqc", "b.tqc"}, "!only one script"}};
    for (const auto& [args, expected] : rows) {
        const StartOptions options = ParseStartOptions(args);
        if (expected[0] != '!') {
            EXPECT_EQ(options.script + "|" + options.port + options.error, expected);
        } else {
            EXPECT_NE(options.error.find(expected.substr(1)), std::string::npos) << options.error;
            EXPECT_NE(options.error.find("usage: tqc [--port PORT] [SCRIPT.tqc]"), std::string::npos);
        }
    }
}

}  // namespace
