// Declarations: defvar, defstr, jump marks and defines, with the cells defvar and defstr emit.
#include "CompileHelpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tqc_test::Compile;
using tqc_test::Errs;
using tqc_test::RunTable;

const char* const kRange = "Wert ausserhalb des Wertebereich";
const char* const kLength = "Wert ausserhalb des erlaubten Bereich";
const char* const kKeyword = "Commands dürfen nicht als Bezeichner genutzt werden";
const char* const kLine = "Fehler in der Zeile";
const char* const kBadChar = "falsches Zeichen im Bezeichner";

TEST(Declarations, Defvar) {
    RunTable({
        // 01, the variable number, the initial value as a word
        {__LINE__, {"defvar x = 10", "defvar y = - 1"}, "01 00 00 0A 01 01 FF FF", ""},
        {__LINE__, {"defvar x = 32767", "defvar y = -32767"}, "01 00 7F FF 01 01 80 01", ""},
        {__LINE__, {"defvar x = 0x10", "defvar y = 0b11"}, "01 00 00 10 01 01 00 03", ""},
        {__LINE__, {"defvar x = -32768"}, "", kRange},
        // an initial value out of range still declares the variable
        {__LINE__, {"defvar x = 32768", "defvar y = 1", "setvar y = x"}, "01 01 00 01 06 01 00", kRange},
        {__LINE__, {"defvar x = 32768", "defvar x = 1"}, "", std::string(kRange) + " | Variable schon definiert"},
        {__LINE__, {"defvar x = abc"}, "01 00 00 00", "Parameter falsch"},
        // checks, each one before the next
        {__LINE__, {"defvar x , 10", "defvar x 10", "defvar a-b = 1", "defvar x$ =", "defvar x$ = 5 , 6"},
         "", Errs({kLine, kLine, kLine, "Parameter fehlt", "Parameter fehlt/falsch"})},
        {__LINE__, {"defvar x = - 5 , 6"}, "01 00 FF FB", ""},
        {__LINE__, {"defvar x$ = 1", "defvar setvar = 1"}, "", Errs({kBadChar, kKeyword})},
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
        {__LINE__, {"defstr s , 1", "defstr t , 250"}, "02 00 01 02 01 FA", ""},
        {__LINE__, {"defstr s , 0x20"}, "02 00 20", ""},
        {__LINE__, {"defstr s , 0"}, "", kLength},
        {__LINE__, {"defstr s , 300"}, "", kLength},
        // a refused length declares nothing
        {__LINE__, {"defstr s , 251", "defstr s , 5"}, "02 00 05", kLength},
        // checks, each one before the next
        {__LINE__, {"defstr s = 10", "defstr s. ,", "defstr s. , 10 , 1", "defstr s , -1", "defstr s. , 1"},
         "", Errs({kLine, "Parameter fehlt", "Zu viele Parameter", "Zu viele Parameter", kBadChar})},
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

// The 256th variable and the 21st string are refused; the limit is tested before the duplicate name.
TEST(Declarations, VariableAndStringLimits) {
    std::vector<std::string> vars, strings;
    for (int i = 0; i < 255; ++i) vars.push_back("defvar v" + std::to_string(i) + " = " + std::to_string(i));
    for (int i = 0; i < 20; ++i) strings.push_back("defstr s" + std::to_string(i) + " , 2");
    RunTable({{__LINE__, {"defvar w = 1", "defvar v0 = 1"}, "01 FE 00 FE", "Zu viele Variablen | Zu viele Variablen"}},
             vars, 254 * 4);
    RunTable({{__LINE__, {"defstr u , 1", "defstr s0 , 1"}, "02 13 02", "Zu viele Strings | Zu viele Strings"}},
             strings, 19 * 3);
}

}  // namespace
