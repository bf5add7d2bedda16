// Capacity guards: every fixed table refuses its excess with an error on the offending line.
#include "DriverSupport.h"

#include <string>

using namespace drvtest;

namespace {

std::string Msg(const wchar_t* text) { return U(wxString(text)); }

std::vector<std::string> Numbered(const std::string& prefix, int from, int to) {
    std::vector<std::string> lines;
    for (int i = from; i <= to; ++i) lines.push_back(prefix + std::to_string(i));
    return lines;
}

TEST(Capacity, SixteenTokensPassSeventeenDoNot) {
    Compiler c;
    // if x = 1 , 2 , ... : the tokens after the operand are not examined
    Compile(c, {"defvar x = 0", "if x=1,2,3,4,5,6,7", "endif"});
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(Image(), "01 00 00 00 32 00 0A 00 01 00 0B");

    Compile(c, {"defvar x = 0", "if x=1,2,3,4,5,6,7,", "on 1"});
    EXPECT_EQ(U(data.errorText[1]), Msg(msg::TooManyTokens));
    EXPECT_EQ(report::ErrorRows().front().line, 2);

    Compile(c, {"on 1", "foo " + std::string(5000, ','), "send \"" + std::string(200, ',') + "\"", "on 2"});
    EXPECT_EQ(Errors(), "2:" + Msg(msg::TooManyTokens));
    EXPECT_EQ(data.outputCount, 3 + 202 + 3);
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
    const std::vector<ErrorRow> rows = report::ErrorRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().line, 30999);
    EXPECT_EQ(U(rows.front().text), Msg(msg::TooManyLines));
    EXPECT_LE(data.outputCount, 31000);
}

TEST(Capacity, FiveThousandMarks) {
    Compiler c;
    std::vector<std::string> script = Numbered("::m", 1, 5000);
    script.push_back("jump m5000");
    Compile(c, script);
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(data.jumpMarkCount, 5000);
    EXPECT_EQ(Image(), "15 00 00");

    script = Numbered("::m", 1, 5001);
    script.push_back("jump m1");
    Compile(c, script);
    EXPECT_EQ(Errors(), "5001:" + Msg(msg::TooManyMarks));
    EXPECT_EQ(data.jumpMarkCount, 5000);
    EXPECT_EQ(Image(), "15 00 00");
}

TEST(Capacity, TwoThousandDefines) {
    Compiler c;
    std::vector<std::string> script = Numbered("#define ;D", 10001, 12000);
    for (std::string& line : script) line += " 7";
    script.push_back("on ;D12000");
    Compile(c, script);
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(data.defineCount, 2000);
    EXPECT_EQ(Image(), "0A 00 07");

    script.insert(script.end() - 1, "#define ;D12001 8");
    script.back() = "on ;D10001";
    Compile(c, script);
    EXPECT_EQ(Errors(), "2001:" + Msg(msg::TooManyDefines));
    EXPECT_EQ(data.defineCount, 2000);
    EXPECT_EQ(Image(), "0A 00 07");
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
    const std::vector<ErrorRow> rows = report::ErrorRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().line, 400);
    EXPECT_EQ(U(rows.front().text), Msg(msg::ImageFull));
    EXPECT_LE(data.outputCount, 99999);
}

struct NestRow {
    int line;
    std::string open;
    std::string close;
};

TEST(Capacity, BlockNestingBeyond5001) {
    const NestRow rows[] = {
        // if, count and the key blocks (press, push, release share one check) guard apart
        {__LINE__, "if x=1", "endif"},
        {__LINE__, "press 1", "endpress"},
        {__LINE__, "count x=1,2", "endcount"},
    };
    for (const NestRow& row : rows) {
        SCOPED_TRACE(row.line);
        Compiler c;
        std::vector<std::string> script(1, "defvar x = 0");
        script.insert(script.end(), 5001, row.open);
        script.insert(script.end(), 5001, row.close);
        Compile(c, script);
        EXPECT_EQ(Errors(), "");

        script.insert(script.begin() + 1, row.open);  // 5002 open blocks, editor line 2 .. 5003
        Compile(c, script);
        const std::vector<ErrorRow> errors = report::ErrorRows();
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors.front().line, 5003);
        EXPECT_EQ(U(errors.front().text), Msg(msg::NestingTooDeep));
    }
}

}  // namespace
