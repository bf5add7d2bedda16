// Declarations: defvar, defstr, jump marks and defines, with the cells defvar and defstr emit.
#include "CompileHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tqc_test::Compile;
using tqc_test::RunTable;

const char* const kRange = "Wert ausserhalb des Wertebereich";
const char* const kLength = "Wert ausserhalb des erlaubten Bereich";
const char* const kKeyword = "Commands dürfen nicht als Bezeichner genutzt werden";

TEST(Declarations, Defvar) {
    RunTable({
        // 01, the variable number, the initial value as a word
        {__LINE__, {"defvar x = 10"}, "01 00 00 0A", ""},
        {__LINE__, {"defvar x = 10", "defvar y = - 1"}, "01 00 00 0A 01 01 FF FF", ""},
        {__LINE__, {"defvar x = 32767"}, "01 00 7F FF", ""},
        {__LINE__, {"defvar x = -32767"}, "01 00 80 01", ""},
        {__LINE__, {"defvar x = 0x10", "defvar y = 0b11"}, "01 00 00 10 01 01 00 03", ""},
        {__LINE__, {"defvar x = 32768"}, "", kRange},
        {__LINE__, {"defvar x = -32768"}, "", kRange},
        // an initial value out of range still declares the variable
        {__LINE__, {"defvar x = 32768", "defvar y = 1", "setvar y = x"}, "01 01 00 01 06 01 00", kRange},
        {__LINE__, {"defvar x = 32768", "defvar x = 1"}, "", std::string(kRange) + " | Variable schon definiert"},
        {__LINE__, {"defvar x = abc"}, "01 00 00 00", "Parameter falsch"},
        // checks, each one before the next
        {__LINE__, {"defvar x , 10"}, "", "Fehler in der Zeile"},
        {__LINE__, {"defvar x 10"}, "", "Fehler in der Zeile"},
        {__LINE__, {"defvar a-b = 1"}, "", "Fehler in der Zeile"},
        {__LINE__, {"defvar x$ ="}, "", "Parameter fehlt"},
        {__LINE__, {"defvar x$ = 5 , 6"}, "", "Parameter fehlt/falsch"},
        {__LINE__, {"defvar x = - 5 , 6"}, "01 00 FF FB", ""},
        {__LINE__, {"defvar x$ = 1"}, "", "falsches Zeichen im Bezeichner"},
        {__LINE__, {"defvar setvar = 1"}, "", kKeyword},
        {__LINE__, {"defvar x = 0", "defvar x = 1"}, "01 00 00 00", "Variable schon definiert"},
        {__LINE__, {"defstr x , 10", "defvar x = 0"}, "02 00 0A", "Bezeichner schon vorhanden (defstring)"},
        // names are case-sensitive and may begin with a digit or hold umlauts
        {__LINE__, {"defvar Setvar = 1"}, "01 00 00 01", ""},
        {__LINE__, {"defvar 1x = 1", "defvar größe = 2"}, "01 00 00 01 01 01 00 02", ""},
    });
}

TEST(Declarations, Defstr) {
    RunTable({
        // 02, the string number, the length
        {__LINE__, {"defstr s , 10"}, "02 00 0A", ""},
        {__LINE__, {"defstr s , 1", "defstr t , 250"}, "02 00 01 02 01 FA", ""},
        {__LINE__, {"defstr s , 0x20"}, "02 00 20", ""},
        {__LINE__, {"defstr s , 0"}, "", kLength},
        {__LINE__, {"defstr s , 251"}, "", kLength},
        {__LINE__, {"defstr s , 300"}, "", kLength},
        // a refused length declares nothing
        {__LINE__, {"defstr s , 251", "defstr s , 5"}, "02 00 05", kLength},
        // checks, each one before the next
        {__LINE__, {"defstr s = 10"}, "", "Fehler in der Zeile"},
        {__LINE__, {"defstr s. ,"}, "", "Parameter fehlt"},
        {__LINE__, {"defstr s. , 10 , 1"}, "", "Zu viele Parameter"},
        {__LINE__, {"defstr s , -1"}, "", "Zu viele Parameter"},
        {__LINE__, {"defstr s. , 1"}, "", "falsches Zeichen im Bezeichner"},
        {__LINE__, {"defstr send , 0"}, "", kKeyword},
        {__LINE__, {"defstr s , 1", "defstr s , 0"}, "02 00 01", "String schon definiert"},
        {__LINE__, {"defvar x = 0", "defstr x , 0"}, "01 00 00 00", "Bezeichner schon vorhanden (defvar)"},
        // strings and variables are numbered separately
        {__LINE__, {"defstr a , 1", "defvar b = 2", "defstr c , 3"}, "02 00 01 01 00 00 02 02 01 03", ""},
        // 4 x 250 reaches the memory limit exactly; the sum stays raised after a refusal
        {__LINE__,
         {"defstr a , 250", "defstr b , 250", "defstr c , 250", "defstr d , 250", "defstr e , 1", "defstr f , 1"},
         "02 00 FA 02 01 FA 02 02 FA 02 03 FA",
         "Gesamtlänge aller Strings zu hoch | Gesamtlänge aller Strings zu hoch"},
    });
}

TEST(Declarations, StringMemoryKeepsTheAttemptedTotal) {
    Compile({"defstr a , 250", "defstr b , 250", "defstr c , 250", "defstr d , 250", "defstr e , 7"});
    EXPECT_EQ(data.stringMemoryUsed, 1007);
    EXPECT_EQ(data.stringCount, 4);
}

TEST(Declarations, VariableLimit) {
    std::vector<std::string> lines;
    for (int i = 0; i < 255; ++i) lines.push_back("defvar v" + std::to_string(i) + " = " + std::to_string(i));
    lines.push_back("defvar w = 1");
    lines.push_back("defvar v0 = 1");  // the limit is tested before the duplicate name
    const auto out = Compile({}, lines, 254 * 4);
    EXPECT_EQ(out.image, "01 FE 00 FE");
    EXPECT_EQ(out.errors, "Zu viele Variablen | Zu viele Variablen");
}

TEST(Declarations, StringLimit) {
    std::vector<std::string> lines;
    for (int i = 0; i < 20; ++i) lines.push_back("defstr s" + std::to_string(i) + " , 2");
    lines.push_back("defstr u , 1");
    lines.push_back("defstr s0 , 1");  // the limit is tested before the duplicate name
    const auto out = Compile({}, lines, 19 * 3);
    EXPECT_EQ(out.image, "02 13 02");
    EXPECT_EQ(out.errors, "Zu viele Strings | Zu viele Strings");
}

TEST(Declarations, JumpMarks) {
    RunTable({
        {__LINE__, {"::start", "jump start"}, "15 00 00", ""},
        {__LINE__, {"::"}, "", "Parameter fehlt"},
        {__LINE__, {"::a , b"}, "", "zu viele Parameter"},
        // the second of two equal marks is reported, and sets the one mark's address last
        {__LINE__, {"::loop", "on 1", "::loop", "jump loop"}, "0A 00 01 15 00 03", "Jump-Marke existiert schon"},
    });
}

TEST(Declarations, Defines) {
    RunTable({
        {__LINE__, {"defvar x = 0", "#define ;MAX 10", "setvar x = ;MAX"}, "01 00 00 00 01 00 00 0A", ""},
        // setvar takes "=", not ","
        {__LINE__, {"defvar x = 0", "#define ;MAX 10", "setvar x,;MAX"}, "01 00 00 00", "Fehler in der Zeile"},
        // a define's value may name another define
        {__LINE__, {"defvar x = 0", "#define ;A ;B", "#define ;B 7", "setvar x = ;A"}, "01 00 00 00 01 00 00 07", ""},
        {__LINE__, {"#define ;MAX 10", "#define ;MAX 20"}, "", "Define schon definiert"},
        {__LINE__, {"#define MAX 10"}, "", "; fehlt"},
        {__LINE__, {"#define ;MAX"}, "", "Fehler in der Zeile "},
        {__LINE__, {"#define ;M$X 1"}, "", "falsches Zeichen im Bezeichner"},
    });
}

}  // namespace
