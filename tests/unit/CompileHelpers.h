// Shared helpers of the unit tests: compile a script given as UTF-8 lines, turn what the compile
// left in `data` into strings.
#pragma once

#include "../support/Files.h"
#include "compiler/Compiler.h"
#include "compiler/Report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tqc_test {

inline wxString W(const std::string& utf8) { return wxString::FromUTF8(utf8.c_str()); }
inline std::string U(const wxString& text) { return text.utf8_string(); }

// A cell as upper-case hex; an unresolved placeholder (above 255) shows in full.
inline std::string Hex(int value) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "%02X", value);
    return cell;
}
// The image as hex cells separated by blanks, and the error window's rows as "LINE:TEXT | ...".
inline std::string Image() {
    std::string out;
    for (int i = 0; i < data.outputCount; ++i) out += (i ? " " : "") + Hex(data.outputValue[i]);
    return out;
}
inline std::string Errors() {
    std::string out;
    for (const ErrorRow& row : report::ErrorRows())
        out += (out.empty() ? "" : " | ") + std::to_string(row.line) + ":" + U(row.text);
    return out;
}

// The lines as the editor's UTF-8 text, compiled as the editor and tqc-cli compile it.
inline void Compile(Compiler& compiler, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    compiler.CompileLatin1(script::ToLatin1(text));
}

// Control characters made visible: 0x03 as <3>, 0x04 as <4>, others as <xx> in hex.
inline std::string Visible(const wxString& text) {
    std::string out;
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it) {
        const unsigned c = static_cast<unsigned>((*it).GetValue());
        if (c == 3 || c == 4)
            out += "<" + std::to_string(c) + ">";
        else if (c < 0x20 || c >= 0x7F)
            out += "<" + Hex(c) + ">";
        else
            out += static_cast<char>(c);
    }
    return out;
}

}  // namespace tqc_test
