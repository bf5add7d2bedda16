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

TEST(Capacity, ThirtyOneThousandLines) {
    Compiler c;
    std::vector<std::string> script(31000, "return");
    Compile(c, script);
    EXPECT_EQ(Errors(), "");
    EXPECT_EQ(data.outputCount, 31000);

    script.push_back("return");
    script.push_back("on 1");
    Compile(c, script);
    const std::vector<ErrorRow> rows = report::ErrorRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().line, 31001);
    EXPECT_EQ(U(rows.front().text), Msg(msg::TooManyLines));
    EXPECT_LE(data.outputCount, 31000);
}

TEST(Capacity, LinesOfAnIncludeCountToo) {
    const std::string dir = MakeTempDir();
    data.sourceDir = W(dir);
    WriteBytes(dir + "/inc.tqc", "return\r\nreturn\r\nreturn\r\n");
    std::vector<std::string> script(30998, "return");
    script.push_back("#include \"inc.tqc\"");
    Compiler c;
    Compile(c, script);
    const std::vector<ErrorRow> rows = report::ErrorRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.front().line, 30999);
    EXPECT_EQ(U(rows.front().text), Msg(msg::TooManyLines));
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
        {__LINE__, "if x=1", "endif"},
        {__LINE__, "press 1", "endpress"},
        {__LINE__, "push 1", "endpush"},
        {__LINE__, "release 1", "endrelease"},
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

// Numbers too large for an int read as the int limit: out of every range, never wrapped.
TEST(Capacity, HugeNumbersAreOutOfRange) {
    const struct {
        int line;
        std::string command;
        std::string image;
        std::string error;
    } rows[] = {
        {__LINE__, "on 99999999999", "", "Wert ausserhalb des Wertebereich"},
        {__LINE__, "on 4294967297", "", "Wert ausserhalb des Wertebereich"},
        {__LINE__, "on 0x100000001", "", "Wert ausserhalb des Wertebereich"},
        {__LINE__, "delay 4294967297", "", "Wert ausserhalb des Wertebereich"},
        {__LINE__, "setvar x=4294967301", "", "Wert ausserhalb des Wertebereich"},
        {__LINE__, "setvar x=-99999999999", "", "Wert ausserhalb des Wertebereich"},
        {__LINE__, "calc x=1+4294967297", "", "Wert ausserhalb des Wertebereich"},
        // setbaud has no range of its own: a number beyond the int range writes the int limit
        {__LINE__, "setbaud 2147483647", "3F FF FF FF", ""},
        {__LINE__, "setbaud 99999999999", "3F FF FF FF", ""},
        {__LINE__, "setbaud 0x1FFFFFFFF", "3F FF FF FF", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        Compiler c;
        Compile(c, {"defvar x = 0", row.command});
        EXPECT_EQ(Image(), "01 00 00 00" + (row.image.empty() ? "" : " " + row.image));
        EXPECT_EQ(U(data.errorText[1]), row.error);
    }
}

}  // namespace
