// The desktop program's command line.
#include "app/StartOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(StartOptions, ScriptAndPortInAnyOrder) {
    struct Row {
        int line;
        std::vector<std::string> args;
        std::string script, port;
    };
    const Row rows[] = {
        {__LINE__, {}, "", ""},
        {__LINE__, {"a.tqc"}, "a.tqc", ""},
        {__LINE__, {"--port", "/dev/pts/3", "a.tqc"}, "a.tqc", "/dev/pts/3"},
        {__LINE__, {"a.tqc", "--port", "/dev/ttyUSB0"}, "a.tqc", "/dev/ttyUSB0"},
        {__LINE__, {"--port=/dev/pts/4"}, "", "/dev/pts/4"},
        {__LINE__, {"--port", "COM12", "--port", "COM3"}, "", "COM3"},  // the last one counts
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const StartOptions options = ParseStartOptions(row.args);
        EXPECT_EQ(options.error, "");
        EXPECT_EQ(options.script, row.script);
        EXPECT_EQ(options.port, row.port);
    }
}

TEST(StartOptions, WrongCallsSayWhy) {
    struct Row {
        int line;
        std::vector<std::string> args;
        std::string reason;
    };
    const Row rows[] = {
        {__LINE__, {"--port"}, "--port needs a port"},
        {__LINE__, {"a.tqc", "--port", ""}, "--port needs a port"},
        {__LINE__, {"--port="}, "unknown option --port="},
        {__LINE__, {"-x", "a.tqc"}, "unknown option -x"},
        {__LINE__, {"a.tqc", "b.tqc"}, "only one script"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        const StartOptions options = ParseStartOptions(row.args);
        EXPECT_NE(options.error.find(row.reason), std::string::npos) << options.error;
        EXPECT_NE(options.error.find("usage: tqc [--port PORT] [SCRIPT.tqc]"), std::string::npos);
    }
}

}  // namespace
