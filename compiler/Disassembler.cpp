#include "compiler/Disassembler.h"

#include "compiler/Compiler.h"

#include <array>

namespace {

struct Form {
    const CommandRow* row = nullptr;
    int form = 0;
};

// Opcode to row and form. The opcode a jump row names is its placeholder's. defvar writes a
// setvar, so the cells read as one; else writes a jump, which is what the controller runs.
const std::array<Form, 256>& Forms() {
    static const std::array<Form, 256> forms = [] {
        std::array<Form, 256> f{};
        for (const CommandRow& row : kCommandTable) {
            if (row.shape == &Compiler::DefVar) continue;
            for (int form = 0; form < 4; ++form) {
                if (std::string(row.layout[form]) == "-") continue;
                int op = row.op[form];
                for (const PlaceholderRow& p : kPlaceholders)
                    if (op == p.placeholder) op = p.opcode;
                if (op > 0 && op < 256 && !f[op].row) f[op] = {&row, form};
            }
        }
        return f;
    }();
    return forms;
}

wxString Literal(const int* cells, int n) {
    wxString text = "\"";
    for (int i = 0; i < n; ++i) {
        const int c = cells[i];
        // What the script cannot write plainly goes in the bracket notation it reads.
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '[')
            text += static_cast<wchar_t>(c);
        else
            text += wxString::Format("[%02X]", c);
    }
    return text + "\"";
}

}  // namespace

DecodedCommand DecodeCommand(const int* cells, int count, int position) {
    DecodedCommand d;
    d.address = position;
    const int opcode = cells[position];
    const Form form = opcode >= 0 && opcode < 256 ? Forms()[opcode] : Form{};
    if (!form.row) {
        d.text = wxString::Format("?? 0x%02X", opcode);
        return d;
    }
    const CommandRow& row = *form.row;
    d.text = row.word;
    int at = position + 1;
    // Takes n cells, or stops the decoding where the image ends.
    const auto take = [&](int n) {
        if (at + n > count) return false;
        at += n;
        return true;
    };
    const std::string layout = row.layout[form.form];
    bool complete = true;
    for (size_t i = 0; i < layout.size() && complete; ++i) {
        const char kind = layout[i];
        const int first = at;
        wxString part;
        switch (kind) {
            case ' ':
                continue;
            case 'v':
            case 's':
            case 'b':
            case 'c':
            case 'k':
            case 'f':
            case 'z':
                if (!(complete = take(1))) break;
                if (kind == 'v') part = wxString::Format("v%d", cells[first]);
                if (kind == 's') part = wxString::Format("s%d", cells[first]);
                if (kind == 'b') part = wxString::Format("%d", cells[first]);
                if (kind == 'c') part = Compiler::OperatorText(cells[first]);
                if (kind == 'k') part = Compiler::ComparisonText(cells[first]);
                if (kind == 'f') part = "\"" + Compiler::SettingText(cells[first]) + "\"";
                break;
            case 'w':
            case 'M':
            case 'A': {
                if (!(complete = take(2))) break;
                const int word = cells[first] * 256 + cells[first + 1];
                if (kind == 'w') part = wxString::Format("%d", row.Signed() && word >= 0x8000 ? word - 0x10000 : word);
                if (kind == 'M') part = wxString::Format("0x%04X", word);
                if (kind == 'A') part = wxString::Format("-> 0x%04X", word);
                break;
            }
            case 't':
                if ((complete = take(3)))
                    part = wxString::Format("%d", (cells[first] << 16) | (cells[first + 1] << 8) | cells[first + 2]);
                break;
            case 'L':
                if ((complete = take(1) && take(cells[first]))) part = Literal(cells + first + 1, cells[first]);
                break;
            case '$':
                part = row.sep;
                break;
            default:
                part = kind;
        }
        if (!part.empty()) d.text += " " + part;
    }
    d.known = complete;
    d.length = complete ? at - position : count - position;
    return d;
}

std::vector<DecodedCommand> Disassemble(const int* cells, int count) {
    std::vector<DecodedCommand> commands;
    for (int p = 0; p < count; p += commands.back().length) commands.push_back(DecodeCommand(cells, count, p));
    return commands;
}
