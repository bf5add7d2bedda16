// The desktop program's command line.
#include "app/StartOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(StartOptions, ScriptAndPortInAnyOrderWrongCallsSayWhy) {
    const struct {
        int line;
        std::vector<std::string> args;
        std::string expected;  // "SCRIPT|PORT", or "!" and what the error names
    } rows[] = {
        {__LINE__, {}, "|"},
        {__LINE__, {"a.tqc"}, "a.tqc|"},
        {__LINE__, {"--port", "/dev/pts/3", "a.tqc"}, "a.tqc|/dev/pts/3"},
        {__LINE__, {"a.tqc", "--port", "/dev/ttyUSB0"}, "a.tqc|/dev/ttyUSB0"},
        {__LINE__, {"--port=/dev/pts/4"}, "|/dev/pts/4"},
        {__LINE__, {"--port", "COM12", "--port", "COM3"}, "|COM3"},  // the last one counts
        {__LINE__, {"--port"}, "!--port needs a port"},
        {__LINE__, {"a.tqc", "--port", ""}, "!--port needs a port"},
        {__LINE__, {"--port="}, "!unknown option --port="},
        {__LINE__, {"-x", "a.tqc"}, "!unknown option -x"},
        {__LINE__, {"a.tqc", "b.tqc"}, "!only one script"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        const StartOptions options = ParseStartOptions(row.args);
        if (row.expected[0] != '!') {
            EXPECT_EQ(options.script + "|" + options.port + options.error, row.expected);
            continue;
        }
        EXPECT_NE(options.error.find(row.expected.substr(1)), std::string::npos) << options.error;
        EXPECT_NE(options.error.find("usage: tqc [--port PORT] [SCRIPT.tqc]"), std::string::npos);
    }
}

}  // namespace
