// Shared helpers of the compiler tests: compile a script given as lines and read the
// image and the error list back as plain strings, so that one table row compares two strings.
#pragma once

#include "compiler/Compiler.h"
#include "compiler/Report.h"

#include <gtest/gtest.h>

#include <wx/arrstr.h>
#include <wx/string.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tqc_test {

struct CompileOutcome {
    std::string image;   // cells as upper-case hex pairs separated by one blank: "0A 03 FF"
    std::string errors;  // error texts in the error list's order, joined by " | "
};

// Cells [from, to) of the image as hex; a cell above 255 (an unresolved placeholder) shows in full.
inline std::string HexCells(int from, int to) {
    std::string out;
    for (int i = from; i < to; ++i) {
        char cell[16];
        std::snprintf(cell, sizeof cell, "%02X", data.outputValue[i]);
        if (!out.empty()) out += ' ';
        out += cell;
    }
    return out;
}

// The hex cell `cell` written n times, separated by blanks: Repeat("41", 3) is "41 41 41".
inline std::string Repeat(const std::string& cell, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += (i ? " " : "") + cell;
    return out;
}

// The error texts of several refused lines as CompileOutcome::errors shows them.
inline std::string Errs(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& text : texts) out += (out.empty() ? "" : " | ") + text;
    return out;
}

// Compiles the lines (UTF-8 source text) as the editor's lines with `compiler`.
inline void CompileInto(Compiler& compiler, const std::vector<std::string>& lines) {
    wxArrayString editor;
    for (const std::string& l : lines) editor.Add(wxString::FromUTF8(l.c_str()));
    compiler.CompileLines(editor);
}

// Compiles `prelude` followed by `lines` as the editor's lines (UTF-8 in), and returns the image
// from cell `skipCells` on together with the error texts. The prelude normally holds the
// declarations; skipCells is the number of cells they emit.
inline CompileOutcome Compile(const std::vector<std::string>& prelude, const std::vector<std::string>& lines,
                              int skipCells) {
    std::vector<std::string> all = prelude;
    all.insert(all.end(), lines.begin(), lines.end());
    Compiler compiler;
    CompileInto(compiler, all);

    CompileOutcome out;
    if (data.outputCount < skipCells)
        out.image = "<only " + std::to_string(data.outputCount) + " cells>";
    else
        out.image = HexCells(skipCells, data.outputCount);
    for (const ErrorRow& row : report::ErrorRows()) {
        if (!out.errors.empty()) out.errors += " | ";
        out.errors += row.text.utf8_string();
    }
    return out;
}

inline CompileOutcome Compile(const std::vector<std::string>& lines) { return Compile({}, lines, 0); }

// The declarations the command tests start from: the variables n, x, y (numbers 0, 1, 2) and the
// strings s (number 0, length 4) and t (number 1, length 10). Each defvar emits 4 cells and
// each defstr 3, so the commands under test start at image position 18 (0x12).
inline const std::vector<std::string> kDeclarations = {
    "defvar n = 0", "defvar x = 0", "defvar y = 0", "defstr s , 4", "defstr t , 10"};
constexpr int kDeclarationCells = 18;

// One table row: the source line of the row, the script, the expected image and errors.
struct Case {
    int line;
    std::vector<std::string> script;
    std::string image;
    std::string errors;
};

inline void RunTable(const std::vector<Case>& cases, const std::vector<std::string>& prelude = {},
                     int skipCells = 0) {
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "table row at line " << c.line);
        const CompileOutcome out = Compile(prelude, c.script, skipCells);
        EXPECT_EQ(out.image, c.image);
        EXPECT_EQ(out.errors, c.errors);
    }
}

}  // namespace tqc_test
