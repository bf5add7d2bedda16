#include "compiler/Report.h"

#include "compiler/Compiler.h"
#include "compiler/Data.h"
#include "compiler/Disassembler.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace report {

std::vector<ErrorRow> ErrorRows() {
    std::vector<ErrorRow> rows;
    for (int i = 0; i < data.lineCount; ++i)
        if (!data.errorText.Peek(i).empty()) rows.push_back({data.lineOrigin[i], data.errorText.Peek(i)});
    for (int slot = kBalanceSlotFirst; slot < kBalanceSlotFirst + 5; ++slot)
        if (!data.errorText.Peek(slot).empty()) rows.push_back({kBalanceLine, data.errorText.Peek(slot)});
    return rows;
}

void WriteListing(const Compiler& compiler, const std::function<void(const std::string& row)>& row) {
    std::string out;
    int cell = 0;
    for (int i = 0; i < data.lineCount; ++i) {
        // Cells are appended in line order, so each line's cells follow the previous line's.
        const int first = cell;
        while (cell < data.outputCount && data.outputLine[cell] == i) ++cell;
        char head[32];
        if (first < cell)
            snprintf(head, sizeof head, "%05d %05d  ", data.lineOrigin[i], first);
        else
            snprintf(head, sizeof head, "%05d        ", data.lineOrigin[i]);
        out = head;
        for (char c : compiler.ExpandedLine(i)) {
            const unsigned char u = static_cast<unsigned char>(c);
            if (u == 3 || u == 4) {
                out += ' ';  // the separators stand where blanks were
            } else if (u < 0x80) {
                out += c;
            } else {
                out += static_cast<char>(0xC0 | (u >> 6));
                out += static_cast<char>(0x80 | (u & 0x3F));
            }
        }
        if (first < cell) out += "  |";
        for (int c = first; c < cell; ++c) {
            char hex[16];
            snprintf(hex, sizeof hex, " %02X", data.outputValue[c]);
            out += hex;
        }
        if (first < cell) out += "  " + DecodeCommand(data.outputValue, cell, first).text.utf8_string();
        out += '\n';
        row(out);
    }
}

namespace {

// The library quotes and escapes; the layout around it (", " and ": ") is the one tqc-cli has
// always printed.
void AppendJsonString(std::string& out, const wxString& text) {
    out += nlohmann::json(text.utf8_string()).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void AppendNames(std::string& out, const char* key, const wxString* names, int count) {
    out += ", \"";
    out += key;
    out += "\": [";
    for (int i = 0; i < count; ++i) {
        if (i) out += ", ";
        AppendJsonString(out, names[i]);
    }
    out += ']';
}

}  // namespace

std::string Json() {
    std::string out = "{\"outputCount\": " + std::to_string(data.outputCount) + ", \"image\": [";
    for (int i = 0; i < data.outputCount; ++i) {
        if (i) out += ", ";
        out += std::to_string(data.outputValue[i]);
    }
    out += "], \"errorCount\": " + std::to_string(data.errorCount) + ", \"errors\": [";
    bool firstRow = true;
    for (const ErrorRow& row : ErrorRows()) {
        if (!firstRow) out += ", ";
        firstRow = false;
        out += "{\"line\": " + std::to_string(row.line) + ", \"text\": ";
        AppendJsonString(out, row.text);
        out += '}';
    }
    out += ']';
    AppendNames(out, "variables", data.variableName, data.variableCount);
    AppendNames(out, "strings", data.stringName, data.stringCount);
    AppendNames(out, "marks", data.jumpMarkName, data.jumpMarkCount);
    AppendNames(out, "defines", data.defineName, data.defineCount);
    out += "}\n";
    return out;
}

}  // namespace report
