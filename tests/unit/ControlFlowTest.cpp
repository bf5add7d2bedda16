// Block commands and jumps: if/else/endif, count/endcount, the key blocks, jump marks and the
// patching of block addresses. The block tables start after the common declarations, at image
// position 18 (0x12), so an address cell pair reads as that absolute position.
#include "CompileHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tqc_test::Compile;
using tqc_test::Errs;
using tqc_test::kDeclarationCells;
using tqc_test::kDeclarations;
using tqc_test::Repeat;
using tqc_test::RunTable;

const char* const kRange = "Wert ausserhalb des Wertebereich";
const char* const kTooMany = "zu viele Parameter/falscher Wert";

// x is variable 1, y variable 2.
TEST(ControlFlow, IfComparisons) {
    RunTable({
        // if at 18: 32 v c w, address cells at 23-24, endif at 25 (0x19)
        {__LINE__, {"if x = 5", "endif"}, "32 01 0A 00 05 00 19", ""},
        {__LINE__, {"if x == 5", "endif"}, "32 01 0A 00 05 00 19", ""},
        {__LINE__, {"if x > 5", "endif"}, "32 01 0E 00 05 00 19", ""},
        {__LINE__, {"if x < 5", "endif"}, "32 01 0D 00 05 00 19", ""},
        {__LINE__, {"if x <= 5", "endif"}, "32 01 0B 00 05 00 19", ""},
        {__LINE__, {"if x >= 5", "endif"}, "32 01 0C 00 05 00 19", ""},
        {__LINE__, {"if x != 5", "endif"}, "32 01 0F 00 05 00 19", ""},
        {__LINE__, {"if x || 5", "endif"}, "32 01 10 00 05 00 19", ""},
        {__LINE__, {"if x && 5", "endif"}, "32 01 11 00 05 00 19", ""},
        // variable operand: one cell shorter, endif at 24 (0x18)
        {__LINE__, {"if x != y", "endif"}, "33 01 0F 02 00 18", ""},
        {__LINE__, {"if x < -32767", "endif"}, "32 01 0D 80 01 00 19", ""},
        {__LINE__, {"if x >= 32767", "endif"}, "32 01 0C 7F FF 00 19", ""},
        {__LINE__, {"if x = 5 , 6", "endif"}, "32 01 0A 00 05 00 19", ""},
        // a refused if opens no block
        {__LINE__, {"if x = 32768", "endif"}, "", std::string(kRange) + " | endif ohne if"},
        {__LINE__, {"if x <= -32768", "if q ! 1", "if x ! 5", "if x"},
         "", Errs({kRange, "Parameter fehlt / Variable nicht definiert", "Fehler in der Zeile",
                   "Fehler in der Zeile"})},
        {__LINE__, {"if x =", "endif"}, "32 01 0A 00 00 00 19", "Parameter fehlt"},
        {__LINE__, {"if x = 5"}, "32 01 0A 00 05 00 00", "Anzahl if > endif"},
    }, kDeclarations, kDeclarationCells);
}

TEST(ControlFlow, ElseAndEndif) {
    RunTable({
        // if 18-24 (address at 23), on 25-27, else 28-30 (if address := 31, own address at 29),
        // on 31-33, endif at 34 (0x22) patches the else jump
        {__LINE__, {"if x < 5", "on 1", "else", "on 2", "endif"}, "32 01 0D 00 05 00 1F 0A 00 01 15 00 22 0A 00 02", ""},
        {__LINE__, {"if x = 1", "else"}, "32 01 0A 00 01 00 1C 15 00 00", "Anzahl if > endif"},
        {__LINE__, {"if x = 1", "else 1", "endif"}, "32 01 0A 00 01 00 19", "zu viele Parameter"},
        {__LINE__, {"if x = 1", "else", "endif 1", "endif"}, "32 01 0A 00 01 00 1C 15 00 1C", "zu viele Parameter"},
        // nested, no else: both ends at 32 (0x20)
        {__LINE__, {"if x = 1", "if y = 2", "endif", "endif"}, "32 01 0A 00 01 00 20 32 02 0A 00 02 00 20", ""},
        // nested, both with else: inner else at 32, inner endif at 35, outer else at 35, outer endif at 38
        {__LINE__,
         {"if x = 1", "if y = 2", "else", "endif", "else", "endif"},
         "32 01 0A 00 01 00 26 32 02 0A 00 02 00 23 15 00 23 15 00 26",
         ""},
        // a second else inside the inner if takes the outer block's else; the outer else is then
        // refused after rewriting the outer address, which its endif writes again (38)
        {__LINE__,
         {"if x = 1", "if y = 2", "else", "else", "endif", "else", "endif"},
         "32 01 0A 00 01 00 26 32 02 0A 00 02 00 26 15 00 00 15 00 26",
         "else nach endif"},
        // the refused second else rewrites the if address (31) before endif finally sets 28
        {__LINE__, {"if x = 1", "else", "else", "endif"}, "32 01 0A 00 01 00 1F 15 00 1C", "else nach endif"},
        {__LINE__, {"else"}, "", "else nach endif"},
        {__LINE__, {"if x = 1", "endif", "else"}, "32 01 0A 00 01 00 19", "else nach endif"},
        {__LINE__, {"endif", "else"}, "", "endif ohne if | else ohne if"},
        // after a surplus endif a pair no longer balances and patches nothing
        {__LINE__, {"endif", "if x = 1", "endif"}, "32 01 0A 00 01 00 00", "endif ohne if | endif ohne if"},
        // blocks of different kinds are counted apart, so interleaving is accepted
        {__LINE__, {"press 1", "if x = 1", "endpress", "endif"}, "50 00 01 00 1E 32 01 0A 00 01 00 1E", ""},
    }, kDeclarations, kDeclarationCells);
}

TEST(ControlFlow, CountLoops) {
    RunTable({
        // count at 18-23, the loop body starts at 24 (0x18)
        {__LINE__, {"count x = 1 , 10", "endcount"}, "8C 01 00 01 00 0A 96 00 18", ""},
        {__LINE__, {"count x = y , 10", "endcount"}, "8D 01 02 00 00 0A 96 00 18", ""},
        {__LINE__, {"count x = 1 , y", "endcount"}, "8E 01 00 01 02 00 96 00 18", ""},
        {__LINE__, {"count x = y , x", "endcount"}, "8F 01 02 00 01 00 96 00 18", ""},
        {__LINE__, {"count x = - 1 , 10", "endcount"}, "8C 01 FF FF 00 0A 96 00 18", ""},
        {__LINE__, {"count x = 1 , - 32767", "endcount"}, "8C 01 00 01 80 01 96 00 18", ""},
        {__LINE__, {"count x = y , -1", "endcount"}, "8D 01 02 00 FF FF 96 00 18", ""},
        {__LINE__, {"count x = 1 - 10", "endcount"}, "8C 01 00 01 00 0A 96 00 18", ""},
        {__LINE__, {"count x = 1 to 10", "endcount"}, "8C 01 00 01 00 00 96 00 18", "Parameter fehlt"},
        // count reads its operands like calc (CommandEncodingTest.cpp), in its own range
        {__LINE__, {"count x = 32768 , 1"}, "", kRange},
        {__LINE__, {"count x = y , -32768"}, "", kRange},
        // nested: the inner body starts at 30 (0x1E)
        {__LINE__,
         {"count x = 1 , 10", "count y = 1 , 5", "endcount", "endcount"},
         "8C 01 00 01 00 0A 8C 02 00 01 00 05 96 00 1E 96 00 18",
         ""},
        {__LINE__, {"count x = 1 , 10", "endcount 5"}, "8C 01 00 01 00 0A", "zu viele Parameter | Anzahl count > endcount"},
    }, kDeclarations, kDeclarationCells);
}

TEST(ControlFlow, SurplusEndcountStillWritesItsCells) {
    auto out = Compile(kDeclarations, {"endcount"}, kDeclarationCells);
    EXPECT_EQ(out.image.size(), 8u) << out.image;  // three cells
    EXPECT_EQ(out.image.substr(0, 2), "96");
    EXPECT_EQ(out.errors, "endcount ohne count");

    // below depth 0 the cells are 00 00; a later pair reads the slot its count filled (27)
    RunTable({{__LINE__, {"endcount", "endcount"}, "96 00 00", "endcount ohne count | endcount ohne count"},
              {__LINE__, {"endcount", "count x = 1 , 10", "endcount"}, "8C 01 00 01 00 0A 96 00 1B",
               "endcount ohne count | endcount ohne count"}},
             kDeclarations, kDeclarationCells + 3);
}

TEST(ControlFlow, KeyBlocks) {
    RunTable({
        // opcode, operand, address; the end command patches in the position after the block
        {__LINE__, {"press 1", "endpress"}, "50 00 01 00 17", ""},
        {__LINE__, {"press x", "endpress"}, "51 01 00 16", ""},
        {__LINE__, {"push 1023", "endpush", "push x", "endpush"}, "46 03 FF 00 17 47 01 00 1B", ""},
        {__LINE__, {"release 0", "endrelease", "release y", "endrelease"}, "48 00 00 00 17 49 02 00 1B", ""},
        {__LINE__, {"press 1", "on 2", "endpress"}, "50 00 01 00 1A 0A 00 02", ""},
        {__LINE__, {"press 1", "press 2", "endpress", "endpress"}, "50 00 01 00 1C 50 00 02 00 1C", ""},
        {__LINE__, {"press 1024", "endpress"}, "", std::string(kRange) + " | endpress ohne press"},
        {__LINE__, {"push -1"}, "", kTooMany},
        {__LINE__, {"press"}, "", "Parameter fehlt"},
        {__LINE__, {"push zz", "endpush"}, "46 00 00 00 17", "Parameter falsch"},
        {__LINE__, {"press 1", "endpress 1"}, "50 00 01 00 00", "zu viele Parameter | Anzahl press > endpress"},
        {__LINE__,
         {"endpress", "endpush", "endrelease"},
         "",
         "endpress ohne press | endpush ohne push | endrelease ohne release"},
        {__LINE__, {"endpush", "push 1", "endpush"}, "46 00 01 00 00", "endpush ohne push | endpush ohne push"},
        // holdpress has the shape of on (CommandEncodingTest.cpp) and opens no block
        {__LINE__, {"holdpress x", "holdpress 1023", "holdpress 1024"}, "53 01 52 03 FF", kRange},
        {__LINE__, {"holdpress 1", "endpress"}, "52 00 01", "endpress ohne press"},
    }, kDeclarations, kDeclarationCells);
}

TEST(ControlFlow, Jumps) {
    RunTable({
        // the mark number is replaced by the mark's image position
        {__LINE__, {"jump ende", "on 1", "::ende"}, "15 00 06 0A 00 01", ""},
        {__LINE__, {"retjump ende", "::ende"}, "12 00 03", ""},
        {__LINE__, {"retjumptimer1 ende", "::ende"}, "82 00 03", ""},
        {__LINE__, {"::a", "on 1", "::b", "jump a", "jump b"}, "0A 00 01 15 00 00 15 00 03", ""},
        {__LINE__, {"jump nirgends"}, "", "Marke nicht definiert"},
        {__LINE__, {"jump Ende", "::ende"}, "", "Marke nicht definiert"},
        {__LINE__, {"retjump"}, "", "Parameter fehlt"},
        {__LINE__, {"retjumptimer1 nirgends , 1"}, "", "zu viele Parameter"},
        {__LINE__, {"return"}, "13", ""},
        {__LINE__, {"return 1"}, "", "zu viele Parameter"},
        {__LINE__, {"::"}, "", "Parameter fehlt"},
        {__LINE__, {"::a , b"}, "", "zu viele Parameter"},
        // the second of two equal marks is reported, and sets the one mark's address last
        {__LINE__, {"::loop", "on 1", "::loop", "jump loop"}, "0A 00 01 15 00 03", "Jump-Marke existiert schon"},
    });
}

TEST(ControlFlow, JumpAddressAboveOneByte) {
    std::vector<std::string> lines(101, "on 1");
    lines.front() = "jump ende";
    lines.back() = "::ende";  // 3 + 99 * 3 = 300 = 0x012C
    RunTable({{__LINE__, lines, "15 01 2C " + Repeat("0A 00 01", 99), ""}});
}

}  // namespace
