// Capacity guards: every fixed table refuses its excess with an error on the offending line (the
// script's lines and the image's cells are in tests/cases/commands.cases).
#include "CompileHelpers.h"

#include <string>

using namespace tqc_test;

namespace {

// A full table of marks or defines still serves the script; one more is refused on its line.
// The define names have one length, so that no name is the beginning of another.
TEST(Capacity, FiveThousandMarksAndTwoThousandDefines) {
    const struct {
        int line, first, limit;
        std::string declare, value, use, image, error;
        const int& count;
    } rows[] = {
        {__LINE__, 1, 5000, "::m", "", "jump m5000", "15 00 00", "Zu viele Jump-Marken (max. 5000)",
         data.jumpMarkCount},
        {__LINE__, 10001, 2000, "#define ;D", " 7", "on ;D12000", "0A 00 07", "Zu viele Defines (max. 2000)",
         data.defineCount},
    };
    for (const auto& row : rows) {
        for (int extra : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "row at line " << row.line << ", " << extra << " more");
            std::vector<std::string> script;
            for (int i = 0; i < row.limit + extra; ++i)
                script.push_back(row.declare + std::to_string(row.first + i) + row.value);
            script.push_back(row.use);
            Compiler c;
            Compile(c, script);
            EXPECT_EQ(Errors(), extra ? std::to_string(row.limit + 1) + ":" + row.error : "");
            EXPECT_EQ(row.count, row.limit);
            EXPECT_EQ(Image(), row.image);
        }
    }
}

TEST(Capacity, BlockNestingBeyond5001) {
    // if, count and the key blocks (press, push, release share one check) guard apart
    using Pair = std::pair<const char*, const char*>;
    for (const auto& [open, close] :
         {Pair("if x=1", "endif"), Pair("press 1", "endpress"), Pair("count x=1,2", "endcount")}) {
        SCOPED_TRACE(open);
        Compiler c;
        std::vector<std::string> script(1, "defvar x = 0");
        script.insert(script.end(), 5001, open);
        script.insert(script.end(), 5001, close);
        Compile(c, script);
        EXPECT_EQ(Errors(), "");

        script.insert(script.begin() + 1, open);  // 5002 open blocks, editor line 2 .. 5003
        Compile(c, script);
        EXPECT_EQ(Errors(), "5003:Bl\xC3\xB6" "cke zu tief verschachtelt (max. 5001)");
    }
}

}  // namespace
