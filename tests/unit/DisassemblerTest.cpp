// Each line's cells decode to exactly one command of its word, on scripts generated from the
// syntax rows, right or wrong (the examples are decoded by GoldenTest.cpp).
#include "CompileHelpers.h"

#include "compiler/Disassembler.h"
#include "compiler/commands/CommandSyntax.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>

namespace {

// An operand as the syntax row names it, drawn at random: mostly right, sometimes wrong, so that
// the cells a line writes before an error are decoded too.
std::string Operand(const std::string& word, std::mt19937& random) {
    const auto pick = [&random](std::initializer_list<const char*> choices) {
        return std::string(*(choices.begin() + random() % choices.size()));
    };
    if (word == "VARIABLE") return pick({"a", "b", "a", "nix"});
    if (word == "STRING") return pick({"t", "u", "t", "a"});
    if (word == "MARKE") return pick({"oben", "unten", "oben", "nirgends"});
    if (word == "OPERATOR") return pick({"+", "-", "*", "/", "|", "&", "%"});
    if (word == "VERGLEICH") return pick({"==", "=", "<", ">", "<=", ">=", "!=", "||", "&&"});
    if (word[0] == '"') return pick({"\"N,8,1\"", "\"E,7,2\"", "\"O,8,2\"", "\"X,8,1\""});
    if (word == "BAUD") return pick({"9600", "115200", "300", "1"});
    return pick({"0", "1", "5", "50", "255", "1023", "-1", "-32767", "600", "65535", "70000", "a", "b", "t",
                 "\"AB[0D]\"", "\"\"", "\"Text mit Blanks\""});
}

TEST(Disassembler, GeneratedScriptsRoundTrip) {
    std::mt19937 random(20261208);
    for (int script = 0; script < 2000; ++script) {
        std::vector<std::string> lines = {"defvar a = 3", "defvar b = -2", "defstr t , 20", "defstr u , 5", "::oben"};
        for (int i = 0; i < 25; ++i) {
            const CommandSyntax& row = kCommandSyntax[random() % kCommandSyntaxRows];
            const std::string syntax = wxString(row.syntax).utf8_string();
            if (syntax[0] == '#' || syntax.rfind("def", 0) == 0) continue;
            std::istringstream words(syntax);
            std::string word, line;
            words >> line;
            while (words >> word) {
                const bool placeholder =
                    word.size() > 1 && (std::isupper(static_cast<unsigned char>(word[0])) || word[0] == '"');
                line += " " + (placeholder ? Operand(word, random) : word);
            }
            lines.push_back(line);
            if (random() % 8 == 0) lines.push_back("::unten");
        }
        Compiler compiler;
        tqc_test::Compile(compiler, lines);
        // Every line's cells decode to one whole command of the line's own word.
        int cell = 0;
        for (int line = 0; line < data.lineCount; ++line) {
            const int first = cell;
            while (cell < data.outputCount && data.outputLine[cell] == line) ++cell;
            if (first == cell) continue;
            const DecodedCommand d = DecodeCommand(data.outputValue, data.outputCount, first);
            wxString word = data.token[line][0].ToString();
            if (word == "defvar") word = "setvar";  // what the controller runs
            if (word == "else") word = "jump";
            ASSERT_TRUE(d.known) << "script " << script << " line " << line << ": " << d.text;
            ASSERT_EQ(d.length, cell - first) << "script " << script << " line " << line << ": " << d.text;
            ASSERT_TRUE(d.text == word || d.text.StartsWith(word + " ")) << d.text << " for " << word;
        }
        ASSERT_EQ(cell, data.outputCount) << "script " << script;
    }
}

}  // namespace
