// Capacity guards that need more than one compile case: the limits of variables, strings, their
// memory and block nesting (the other tables' limits are cases in tests/cases).
#include "CompileHelpers.h"

#include <string>
#include <vector>

using namespace tqc_test;

namespace {

// `count` lines of `head` NUMBER `tail`, numbered from 0, and then `more`.
std::vector<std::string> Numbered(const char* head, const char* tail, int count, std::vector<std::string> more) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(head + std::to_string(i) + tail);
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// The limit is tested before the name; 4 x 250 fills the string memory exactly, and refused
// lengths stay counted, so that the summary shows what was attempted.
TEST(Capacity, DeclarationLimits) {
    Compiler c;
    Compile(c, Numbered("defvar v", " = 7", 255, {"defvar w = 1", "defvar v0 = 1"}));
    EXPECT_EQ(Errors() + "|" + Image().substr(Image().size() - 11),
              "256:Zu viele Variablen | 257:Zu viele Variablen|01 FE 00 07");
    Compile(c, Numbered("defstr s", " , 2", 20, {"defstr u , 1", "defstr s0 , 1"}));
    EXPECT_EQ(Errors() + "|" + Image().substr(Image().size() - 8),
              "21:Zu viele Strings | 22:Zu viele Strings|02 13 02");
    Compile(c, Numbered("defstr s", " , 250", 4, {"defstr e , 1", "defstr f , 1"}));
    EXPECT_EQ(Errors() + "|" + Image(),
              "5:Gesamtlänge aller Strings zu hoch | 6:Gesamtlänge aller Strings zu hoch|"
              "02 00 FA 02 01 FA 02 02 FA 02 03 FA");
    EXPECT_EQ(data.stringMemoryUsed, 1002);
    EXPECT_EQ(data.stringCount, 4);
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
        EXPECT_EQ(Errors(), "5003:Blöcke zu tief verschachtelt (max. 5001)");
    }
}

}  // namespace
