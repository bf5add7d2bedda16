// Shared helpers of the unit tests: compile a script given as UTF-8 lines and turn what the
// compile left in `data` into strings, so that one table row compares one string.
#pragma once

#include "compiler/Compiler.h"
#include "compiler/Report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
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
// `item` n times, separated by blanks: Repeat("41", 3) is "41 41 41".
inline std::string Repeat(const std::string& item, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += (i ? " " : "") + item;
    return out;
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

inline void Compile(Compiler& compiler, const std::vector<std::string>& lines) {
    wxArrayString editor;
    for (const std::string& l : lines) editor.Add(W(l));
    compiler.CompileLines(editor);
}

// What each of `count` editor lines from `first` on left: its cells, then "!" and its error; "-"
// when nothing. The errors of no such line (block balance) follow as one more item.
inline std::vector<std::string> Outcome(int first, int count) {
    std::vector<std::string> out(count + 1);
    const auto add = [&](int line, const std::string& item) {
        std::string& s = out[line >= first && line < first + count ? line - first : count];
        s += (s.empty() ? "" : " ") + item;
    };
    for (int i = 0; i < data.outputCount; ++i)
        if (const int line = data.lineOrigin[data.outputLine[i]]; line >= first) add(line, Hex(data.outputValue[i]));
    for (const ErrorRow& row : report::ErrorRows()) add(row.line, "!" + U(row.text));
    for (std::string& s : out) s = s.empty() ? "-" : s;
    if (out.back() == "-") out.pop_back();
    return out;
}

// Compiles `prelude` and `script`, and compares the Outcome of the script's lines, line by line,
// with `expected`, where the most frequent errors may be written short.
inline void ExpectCompile(const std::vector<std::string>& prelude, const std::vector<std::string>& script,
                          std::vector<std::string> expected) {
    static const char* const kShort[][2] = {
        {"!range", "Wert ausserhalb des Wertebereich"}, {"!rangeSz", "Wert au\xC3\x9F" "erhalb des Wertebereich"},
        {"!line", "Fehler in der Zeile"},            {"!many", "zu viele Parameter/falscher Wert"},
        {"!missing", "Parameter fehlt"},             {"!wrong", "Parameter falsch"},
        {"!novar", "Variable nicht definiert"},      {"!nostr", "String nicht definiert"}};
    std::vector<std::string> all = prelude;
    all.insert(all.end(), script.begin(), script.end());
    Compiler compiler;
    Compile(compiler, all);
    for (std::string& item : expected)
        for (const auto& [key, full] : kShort)
            for (size_t at = item.find(key), end; at != std::string::npos; at = item.find(key, at + 1))
                if (end = at + strlen(key); end == item.size() || item[end] == ' ')
                    item.replace(at + 1, end - at - 1, full);
    const std::vector<std::string> got = Outcome(static_cast<int>(prelude.size()) + 1, static_cast<int>(script.size()));
    for (size_t i = 0; i < std::max(got.size(), expected.size()); ++i)
        EXPECT_EQ(i < got.size() ? got[i] : "<nothing>", i < expected.size() ? expected[i] : "<nothing>")
            << "for " << (i < script.size() ? script[i] : "the errors of no line");
}

// The declarations the command tests start from: the variables n, x, y (numbers 0, 1, 2) and the
// strings s (number 0, length 4) and t (number 1, length 10). They fill image cells 0 to 17.
inline const std::vector<std::string> kDeclarations = {
    "defvar n = 0", "defvar x = 0", "defvar y = 0", "defstr s , 4", "defstr t , 10"};

// Control characters made visible: 0x03 as <3>, 0x04 as <4>, others as <xx> in hex.
inline std::string Visible(const wxString& text) {
    std::string out;
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it) {
        const unsigned c = static_cast<unsigned>((*it).GetValue());
        if (c == 3 || c == 4) out += "<" + std::to_string(c) + ">";
        else if (c < 0x20 || c >= 0x7F) out += "<" + Hex(c) + ">";
        else out += static_cast<char>(c);
    }
    return out;
}

inline std::string MakeTempDir() {
    std::string pattern = ::testing::TempDir() + "tqc_unit_XXXXXX";
    EXPECT_NE(mkdtemp(pattern.data()), nullptr);
    return pattern;
}
inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
inline std::string ReadBytes(const std::string& path) {
    std::ostringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

}  // namespace tqc_test
