// Declarations: the limits of variables, strings and their memory (their cells and checks are in
// tests/cases/declarations.cases).
#include "CompileHelpers.h"

#include <string>
#include <vector>

namespace {

using tqc_test::ExpectSteps;

// The string memory: 4 x 250 reaches the limit exactly; the refused lengths stay counted, so that
// the summary shows what was attempted.
TEST(Declarations, StringMemory) {
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
