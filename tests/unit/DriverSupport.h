// Helpers for the driver, define, include, capacity and command-line tests: compile a script
// given as UTF-8 lines and turn what the compile left in `data` into comparable strings.
#pragma once

#include "CompileHelpers.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace drvtest {

inline wxString W(const std::string& utf8) { return wxString::FromUTF8(utf8.c_str()); }
inline std::string U(const wxString& text) { return std::string(text.utf8_str().data()); }

// Compiles the lines (UTF-8 source text) with a fresh compiler; the compiler is returned so
// that its expanded lines and summary can be examined.
inline void Compile(Compiler& c, const std::vector<std::string>& lines) { tqc_test::CompileInto(c, lines); }

// The image as upper-case hex cells separated by blanks, e.g. "0A 00 01".
inline std::string Image() { return tqc_test::HexCells(0, data.outputCount); }

// The error window's rows as "LINE:TEXT" joined by " | ".
inline std::string Errors() {
    std::string out;
    for (const ErrorRow& row : report::ErrorRows()) {
        if (!out.empty()) out += " | ";
        out += std::to_string(row.line) + ":" + U(row.text);
    }
    return out;
}

// The first row of the error window as "LINE:TEXT", or "" when there is none.
inline std::string FirstError() {
    const std::vector<ErrorRow> rows = report::ErrorRows();
    return rows.empty() ? "" : std::to_string(rows.front().line) + ":" + U(rows.front().text);
}

// Control characters made visible: 0x04 as <4>, 0x03 as <3>, others as <xx> in hex.
inline std::string Visible(const wxString& text) {
    std::string out;
    for (wxString::const_iterator it = text.begin(); it != text.end(); ++it) {
        const unsigned c = static_cast<unsigned>((*it).GetValue());
        if (c == 3 || c == 4) {
            out += "<" + std::to_string(c) + ">";
        } else if (c < 0x20 || c >= 0x7F) {
            char buf[16];
            snprintf(buf, sizeof buf, "<%02X>", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The token slots of an expanded line, each in brackets, trailing empty slots left out.
inline std::string Tokens(int line) {
    int last = kTokenSlots - 1;
    while (last >= 0 && data.token[line][last].empty()) --last;
    std::string out;
    for (int k = 0; k <= last; ++k) out += "[" + U(data.token[line][k]) + "]";
    return out;
}

// A fresh directory under the test temp dir; include files are written into it.
inline std::string MakeTempDir() {
    std::string pattern = ::testing::TempDir() + "tqc_drv_XXXXXX";
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    const char* dir = mkdtemp(buf.data());
    EXPECT_NE(dir, nullptr);
    return dir ? std::string(dir) : std::string();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A script compiled from scratch, its image and its errors (with their lines) as one string each.
using ScriptRow = tqc_test::Case;

inline void RunScripts(const std::vector<ScriptRow>& rows) {
    for (const ScriptRow& row : rows) {
        SCOPED_TRACE(row.line);
        Compiler c;
        Compile(c, row.script);
        EXPECT_EQ(Image(), row.image);
        EXPECT_EQ(Errors(), row.errors);
    }
}

}  // namespace drvtest
