// Declarations: defvar and defstr, the cells they emit, their checks in order and their limits.
#include "CompileHelpers.h"

#include <string>
#include <vector>

namespace {

using tqc_test::ExpectSteps;

TEST(Declarations, Defvar) {
    ExpectSteps({
        // 01, the variable number, the initial value as a word; names are case-sensitive and may
        // begin with a digit or hold umlauts
        {"defvar x = 10", "01 00 00 0A"}, {"defvar y = - 1", "01 01 FF FF"}, {"defvar z = 32767", "01 02 7F FF"},
        {"defvar w = -32767", "01 03 80 01"}, {"defvar v = - 5 , 6", "01 04 FF FB"},
        {"defvar Setvar = 1", "01 05 00 01"}, {"defvar 1x = 1", "01 06 00 01"}, {"defvar größe = 2", "01 07 00 02"},
        {"defvar u = abc", "01 08 00 00 !wrong"},
        // an initial value out of range still declares the variable; then the checks, each before the next
        {"defvar a = 32768", "!range"}, {"defvar b = -32768", "!range"}, {"setvar b = a", "06 0A 09"},
        {"defvar a = 1", "!Variable schon definiert"}, {"defstr c , 10", "02 00 0A"},
        {"defvar c = 0", "!Bezeichner schon vorhanden (defstring)"}, {"defvar c , 10", "!line"},
        {"defvar c 10", "!line"}, {"defvar a-b = 1", "!line"}, {"defvar x$ =", "!missing"},
        {"defvar x$ = 5 , 6", "!Parameter fehlt/falsch"}, {"defvar x$ = 1", "!falsches Zeichen im Bezeichner"},
        {"defvar setvar = 1", "!Commands dürfen nicht als Bezeichner genutzt werden"},
    });
}

TEST(Declarations, Defstr) {
    // 02, the string number, the length; a refused length declares nothing, and strings and
    // variables are numbered apart
    ExpectSteps({
        {"defstr s , 0", "!Wert ausserhalb des erlaubten Bereich"},
        {"defstr s , 300", "!Wert ausserhalb des erlaubten Bereich"},
        {"defstr s , 251", "!Wert ausserhalb des erlaubten Bereich"}, {"defstr s , 1", "02 00 01"},
        {"defstr t , 250", "02 01 FA"}, {"defstr s , 0", "!String schon definiert"}, {"defvar x = 0", "01 00 00 00"},
        {"defstr x , 0", "!Bezeichner schon vorhanden (defvar)"}, {"defvar b = 2", "01 01 00 02"},
        {"defstr c , 3", "02 02 03"}, {"defstr s = 10", "!line"}, {"defstr s. ,", "!missing"},
        {"defstr s. , 10 , 1", "!Zu viele Parameter"}, {"defstr d , -1", "!Zu viele Parameter"},
        {"defstr s. , 1", "!falsches Zeichen im Bezeichner"},
        {"defstr send , 0", "!Commands dürfen nicht als Bezeichner genutzt werden"},
    });
    // 4 x 250 reaches the memory limit exactly; the refused lengths stay counted, so that the
    // summary shows what was attempted
    ExpectSteps({{"defstr a , 250", "02 00 FA"}, {"defstr b , 250", "02 01 FA"}, {"defstr c , 250", "02 02 FA"},
                 {"defstr d , 250", "02 03 FA"}, {"defstr e , 1", "!Gesamtlänge aller Strings zu hoch"},
                 {"defstr f , 1", "!Gesamtlänge aller Strings zu hoch"}});
    EXPECT_EQ(data.stringMemoryUsed, 1002);
    EXPECT_EQ(data.stringCount, 4);
}

// The 256th variable and the 21st string are refused; the limit is tested before the duplicate name.
TEST(Declarations, VariableAndStringLimits) {
    std::vector<std::string> vars, strings;
    for (int i = 0; i < 254; ++i) vars.push_back("defvar v" + std::to_string(i) + " = " + std::to_string(i));
    for (int i = 0; i < 19; ++i) strings.push_back("defstr s" + std::to_string(i) + " , 2");
    ExpectSteps({{"defvar v254 = 254", "01 FE 00 FE"}, {"defvar w = 1", "!Zu viele Variablen"},
                 {"defvar v0 = 1", "!Zu viele Variablen"}}, vars);
    ExpectSteps({{"defstr s19 , 2", "02 13 02"}, {"defstr u , 1", "!Zu viele Strings"},
                 {"defstr s0 , 1", "!Zu viele Strings"}}, strings);
}

}  // namespace
