// Capacity guards: every fixed table refuses its excess with an error on the offending line.
#include "DriverSupport.h"

#include <string>

using namespace drvtest;

namespace {

std::string Msg(const wchar_t* text) { return U(wxString(text)); }

TEST(Capacity, SixteenTokensPassSeventeenDoNot) {
    // if x = 1 , 2 , ... : the tokens after the operand are not examined
    RunScripts({
        {__LINE__, {"defvar x = 0", "if x=1,2,3,4,5,6,7", "endif"}, "01 00 00 00 32 00 0A 00 01 00 0B", ""},
        {__LINE__, {"defvar x = 0", "if x=1,2,3,4,5,6,7,", "on 1"}, "01 00 00 00 0A 00 01",
         "2:" + Msg(msg::TooManyTokens)},
        {__LINE__,
         {"on 1", "foo " + std::string(5000, ','), "send \"" + std::string(200, ',') + "\"", "on 2"},
         "0A 00 01 41 C8 " + tqc_test::Repeat("2C", 200) + " 0A 00 02",
         "2:" + Msg(msg::TooManyTokens)},
    });
}

// The lines of an include count like the script's own; the line limit's error shows on the
// editor line that reaches it, and no later line is compiled.
TEST(Capacity, ThirtyOneThousandLines) {
    const std::string dir = MakeTempDir();
    data.sourceDir = W(dir);
    WriteBytes(dir + "/inc.tqc", "return\r\nreturn\r\n");
    std::vector<std::string> script(30998, "return");
    script.push_back("#include \"inc.tqc\"");
    Compiler c;
    Compile(c, script);
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(data.outputCount, 31000);

    WriteBytes(dir + "/inc.tqc", "return\r\nreturn\r\nreturn\r\n");
    script.push_back("on 1");
    Compile(c, script);
    EXPECT_EQ(FirstError(), "30999:" + Msg(msg::TooManyLines));
    EXPECT_LE(data.outputCount, 31000);
}

// A full table of marks or defines still serves the script; one more is refused on its line.
// The define names have one length, so that no name is the beginning of another.
TEST(Capacity, FiveThousandMarksAndTwoThousandDefines) {
    const struct {
        int line, first, limit;
        std::string declare, value, use, image, error;
        const int& count;
    } rows[] = {
        {__LINE__, 1, 5000, "::m", "", "jump m5000", "15 00 00", Msg(msg::TooManyMarks), data.jumpMarkCount},
        {__LINE__, 10001, 2000, "#define ;D", " 7", "on ;D12000", "0A 00 07", Msg(msg::TooManyDefines),
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

// send with a text of n characters writes n + 2 cells.
std::vector<std::string> Sends(int lines, int lastTextLength) {
    std::vector<std::string> script(lines - 1, "send \"" + std::string(248, 'a') + "\"");
    script.push_back("send \"" + std::string(lastTextLength, 'b') + "\"");
    return script;
}

TEST(Capacity, ImageOf99999Cells) {
    Compiler c;
    Compile(c, Sends(400, 247));  // 399 * 250 + 249 = 99999
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(data.outputCount, 99999);
    EXPECT_EQ(data.outputValue[99998], 'b');

    std::vector<std::string> script = Sends(400, 248);  // one cell too many on line 400
    script.push_back("on 1");
    Compile(c, script);
    EXPECT_EQ(FirstError(), "400:" + Msg(msg::ImageFull));
    EXPECT_LE(data.outputCount, 99999);
}

TEST(Capacity, BlockNestingBeyond5001) {
    const struct {
        int line;
        std::string open, close;
    } rows[] = {
        // if, count and the key blocks (press, push, release share one check) guard apart
        {__LINE__, "if x=1", "endif"},
        {__LINE__, "press 1", "endpress"},
        {__LINE__, "count x=1,2", "endcount"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        Compiler c;
        std::vector<std::string> script(1, "defvar x = 0");
        script.insert(script.end(), 5001, row.open);
        script.insert(script.end(), 5001, row.close);
        Compile(c, script);
        EXPECT_EQ(Errors(), "");

        script.insert(script.begin() + 1, row.open);  // 5002 open blocks, editor line 2 .. 5003
        Compile(c, script);
        EXPECT_EQ(FirstError(), "5003:" + Msg(msg::NestingTooDeep));
    }
}

}  // namespace
