// Block commands and jumps: if/else/endif, count/endcount, the key blocks, jump marks and the
// patching of block addresses. Most rows run after the common declarations (x is variable 1,
// y variable 2), which fill cells 0 to 17, so an address cell pair reads as an absolute position.
#include "CompileHelpers.h"

#include <string>

namespace {

using tqc_test::ExpectSteps;
using tqc_test::kDeclarations;
using tqc_test::RunTable;

TEST(ControlFlow, IfElseEndif) {
    // the comparisons; an if never closed keeps the address cells 00 00
    ExpectSteps({{"if x = 5", "32 01 0A 00 05 00 00"}, {"if x == 5", "32 01 0A 00 05 00 00"},
                 {"if x > 5", "32 01 0E 00 05 00 00"}, {"if x < 5", "32 01 0D 00 05 00 00"},
                 {"if x <= 5", "32 01 0B 00 05 00 00"}, {"if x >= 5", "32 01 0C 00 05 00 00"},
                 {"if x != 5", "32 01 0F 00 05 00 00"}, {"if x || 5", "32 01 10 00 05 00 00"},
                 {"if x && 5", "32 01 11 00 05 00 00"}, {"if x != y", "33 01 0F 02 00 00"},
                 {"if x < -32767", "32 01 0D 80 01 00 00"}, {"if x >= 32767", "32 01 0C 7F FF 00 00"},
                 {"if x = 5 , 6", "32 01 0A 00 05 00 00"}},
                kDeclarations, "!Anzahl if > endif");
    RunTable({
        // a refused if opens no block; one with a missing operand does
        {__LINE__, {"if x = 32768", "if x <= -32768", "if q ! 1", "if x ! 5", "if x", "endif"},
         "!range | !range | !Parameter fehlt / Variable nicht definiert | !line | !line | !endif ohne if"},
        {__LINE__, {"if x =", "endif"}, "32 01 0A 00 00 00 19 !missing | -"},
        // the if's address is the cell after its else, the else jumps to the endif
        {__LINE__, {"if x < 5", "on 1", "else", "on 2", "endif"},
         "32 01 0D 00 05 00 1F | 0A 00 01 | 15 00 22 | 0A 00 02 | -"},
        {__LINE__, {"if x = 1", "else"}, "32 01 0A 00 01 00 1C | 15 00 00 | !Anzahl if > endif"},
        {__LINE__, {"if x = 1", "else 1", "endif"}, "32 01 0A 00 01 00 19 | !zu viele Parameter | -"},
        {__LINE__, {"if x = 1", "else", "endif 1", "endif"},
         "32 01 0A 00 01 00 1C | 15 00 1C | !zu viele Parameter | -"},
        {__LINE__, {"if x = 1", "if y = 2", "endif", "endif"}, "32 01 0A 00 01 00 20 | 32 02 0A 00 02 00 20 | - | -"},
        {__LINE__, {"if x = 1", "if y = 2", "else", "endif", "else", "endif"},
         "32 01 0A 00 01 00 26 | 32 02 0A 00 02 00 23 | 15 00 23 | - | 15 00 26 | -"},
        // a second else inside the inner if takes the outer block's else; the outer else is then
        // refused after rewriting the outer address, which its endif writes again (38)
        {__LINE__, {"if x = 1", "if y = 2", "else", "else", "endif", "else", "endif"},
         "32 01 0A 00 01 00 26 | 32 02 0A 00 02 00 26 | 15 00 00 | 15 00 26 | - | !else nach endif | -"},
        // the refused second else rewrites the if address (31) before endif finally sets 28
        {__LINE__, {"if x = 1", "else", "else", "endif"}, "32 01 0A 00 01 00 1F | 15 00 1C | !else nach endif | -"},
        {__LINE__, {"else"}, "!else nach endif"},
        {__LINE__, {"if x = 1", "endif", "else"}, "32 01 0A 00 01 00 19 | - | !else nach endif"},
        // after a surplus endif a pair no longer balances and patches nothing
        {__LINE__, {"endif", "else", "if x = 1", "endif"},
         "!endif ohne if | !else ohne if | 32 01 0A 00 01 00 00 | !endif ohne if"},
        // blocks of different kinds are counted apart, so interleaving is accepted
        {__LINE__, {"press 1", "if x = 1", "endpress", "endif"}, "50 00 01 00 1E | 32 01 0A 00 01 00 1E | - | -"},
    }, kDeclarations);
}

TEST(ControlFlow, CountLoops) {
    // count reads its operands like calc; a variable is padded to two cells
    ExpectSteps({{"count x = 1 , 10", "8C 01 00 01 00 0A"}, {"count x = y , 10", "8D 01 02 00 00 0A"},
                 {"count x = 1 , y", "8E 01 00 01 02 00"}, {"count x = y , x", "8F 01 02 00 01 00"},
                 {"count x = - 1 , 10", "8C 01 FF FF 00 0A"}, {"count x = 1 , - 32767", "8C 01 00 01 80 01"},
                 {"count x = y , -1", "8D 01 02 00 FF FF"}, {"count x = 1 - 10", "8C 01 00 01 00 0A"},
                 {"count x = 1 to 10", "8C 01 00 01 00 00 !missing"}, {"count x = 32768 , 1", "!range"},
                 {"count x = y , -32768", "!range"}},
                kDeclarations, "!Anzahl count > endcount");
    RunTable({
        // endcount jumps back to the first cell of the loop body
        {__LINE__, {"count x = 1 , 10", "count y = 1 , 5", "endcount", "endcount"},
         "8C 01 00 01 00 0A | 8C 02 00 01 00 05 | 96 00 1E | 96 00 18"},
        {__LINE__, {"count x = 1 , 10", "endcount 5"},
         "8C 01 00 01 00 0A | !zu viele Parameter | !Anzahl count > endcount"},
        // a surplus endcount still writes its cells; a later pair reads the slot its count filled (27)
        {__LINE__, {"endcount", "endcount"}, "96 00 00 !endcount ohne count | 96 00 00 !endcount ohne count"},
        {__LINE__, {"endcount", "count x = 1 , 10", "endcount"},
         "96 00 00 !endcount ohne count | 8C 01 00 01 00 0A | 96 00 1B !endcount ohne count"},
    }, kDeclarations);
}

TEST(ControlFlow, KeyBlocks) {
    // opcode, operand, address; the end command patches in the position after the block
    ExpectSteps({{"press 1", "50 00 01 00 17"}, {"endpress", "-"}, {"press x", "51 01 00 1B"}, {"endpress", "-"},
                 {"push 1023", "46 03 FF 00 20"}, {"endpush", "-"}, {"push x", "47 01 00 24"}, {"endpush", "-"},
                 {"release 0", "48 00 00 00 29"}, {"endrelease", "-"}, {"release y", "49 02 00 2D"},
                 {"endrelease", "-"}, {"press 1", "50 00 01 00 3A"}, {"on 2", "0A 00 02"},
                 {"press 2", "50 00 02 00 3A"}, {"endpress", "-"}, {"endpress", "-"}},
                kDeclarations);
    // holdpress has the shape of on and opens no block
    ExpectSteps({{"push -1", "!many"}, {"press", "!missing"}, {"push zz", "46 00 00 00 17 !wrong"}, {"endpush", "-"},
                 {"holdpress x", "53 01"}, {"holdpress 1023", "52 03 FF"}, {"holdpress 1024", "!range"},
                 {"holdpress 1", "52 00 01"}, {"endpress", "!endpress ohne press"}},
                kDeclarations);
    ExpectSteps({{"press 1", "50 00 01 00 00"}, {"endpress 1", "!zu viele Parameter"}}, kDeclarations,
                "!Anzahl press > endpress");
    // a refused press opens no block; below depth 0 a pair patches nothing
    ExpectSteps({{"press 1024", "!range"}, {"endpress", "!endpress ohne press"}, {"endpush", "!endpush ohne push"},
                 {"endrelease", "!endrelease ohne release"}, {"push 1", "46 00 01 00 00"},
                 {"endpush", "!endpush ohne push"}},
                kDeclarations);
}

// The mark number is replaced by the mark's image position, here beyond one cell.
TEST(ControlFlow, Jumps) {
    ExpectSteps({{"::a", "-"}, {"jump ende", "15 01 10"}, {"send \"" + std::string(255, 'A') + "\"",
                 "41 FF " + tqc_test::Repeat("41", 255)}, {"::b", "-"}, {"jump a", "15 00 00"}, {"jump b", "15 01 04"},
                 {"retjump ende", "12 01 10"}, {"retjumptimer1 ende", "82 01 10"}, {"::ende", "-"}});
    ExpectSteps({{"jump nirgends", "!Marke nicht definiert"}, {"jump Ende", "!Marke nicht definiert"},
                 {"retjump", "!missing"}, {"retjumptimer1 nirgends , 1", "!zu viele Parameter"}, {"return", "13"},
                 {"return 1", "!zu viele Parameter"}, {"::", "!missing"}, {"::a , b", "!zu viele Parameter"},
                 {"::ende", "-"}});
    // the second of two equal marks is reported, and sets the one mark's address last
    ExpectSteps({{"::loop", "-"}, {"on 1", "0A 00 01"}, {"::loop", "!Jump-Marke existiert schon"},
                 {"jump loop", "15 00 03"}});
}

}  // namespace
