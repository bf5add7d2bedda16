// Sending on the controller's lines and setting their speed and framing.
#include "compiler/LineCursor.h"

namespace {

// Parity letter, comma, data bits, comma, stop bits: what each accepted character adds.
const struct {
    const wchar_t* name;  // as the syntax texts call it; none for the commas
    const wchar_t* accepted;
    int adds[3];
    int mask;  // the bits of the byte this position sets
} kPositions[] = {{L"PARITÄT", L"NEO", {1, 2, 3}, 3},
                  {nullptr, L",", {0}, 0},
                  {L"DATENBITS", L"78", {4, 8}, 12},
                  {nullptr, L",", {0}, 0},
                  {L"STOPPBITS", L"12", {16, 32}, 48}};

}  // namespace

wxString Compiler::SettingText(int byte) {
    wxString text;
    for (const auto& position : kPositions) {
        const wchar_t* c = position.accepted;
        while (c[1] && position.adds[c - position.accepted] != (byte & position.mask)) ++c;
        if (position.adds[c - position.accepted] != (byte & position.mask)) return wxString::Format("?%d", byte);
        text += *c;
    }
    return text;
}

std::wstring Compiler::SettingList(bool namesOnly) {
    std::wstring list;
    for (const auto& position : kPositions) {
        if (!position.name) continue;
        if (!list.empty()) list += namesOnly ? L"," : L"; ";
        list += position.name;
        if (namesOnly) continue;
        list += L":";
        for (const wchar_t* c = position.accepted; *c; ++c)
            list += std::wstring(c == position.accepted ? L" " : c[1] ? L", " : L" oder ") + *c;
    }
    return list;
}

int Compiler::SettingByte(const TokenText& text) {
    // Anything after position 4 is ignored.
    int byte = 0;
    for (size_t i = 0; i < 5; ++i) {
        if (i >= text.length()) return -1;
        const wchar_t* found = wcschr(kPositions[i].accepted, text[i]);
        if (!found || text[i] == 0) return -1;
        byte += kPositions[i].adds[found - kPositions[i].accepted];
    }
    return byte;
}

void Compiler::Send(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.At(L'"')) {
        if (!c.Fits("\" _ \"")) return SetError(line, msg::QuotesMissing);
        if ((row.flags & kEndsAfterText) && !c.Fits("\" _ \" .")) return SetError(line, msg::LineError);
        const wxString text = c.Text();
        if (static_cast<int>(text.length()) > row.Arg(0).text) return SetError(line, msg::TextTooLong);
        WriteOut(line, row.op[0]);
        return EmitLiteral(line, text);
    }
    const int variable = c.Var();
    const int string = c.Str();
    if (variable >= 0 || string >= 0) {
        WriteOut(line, row.op[variable >= 0 ? 3 : 1]);
        return WriteOut(line, variable >= 0 ? variable : string);
    }
    const int value = c.Value();
    if (!InRange(value, row.Arg(0))) return SetError(line, msg::OutOfRangeSz);
    WriteOut(line, row.op[2]);
    WriteOut(line, value);
}

void Compiler::SendBus(int line, const CommandRow& row) {
    LineCursor first(*this, line), c = first;
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.At(L'"')) {
        const int address = first.Value();
        if (!InRange(address, row.Arg(0))) return SetError(line, msg::OutOfRangeSz);
        if (!c.Fits("\" _ \"")) return SetError(line, msg::QuotesMissing);
        const wxString text = c.Text();
        if (static_cast<int>(text.length()) > row.Arg(1).text) return SetError(line, msg::TextTooLong);
        WriteOut(line, row.op[0]);
        WriteOut(line, address);
        return EmitLiteral(line, text);
    }
    const int variable = c.Var();
    const int string = c.Str();
    const int address = first.Value();
    if (!InRange(address, row.Arg(0))) return SetError(line, msg::OutOfRangeSz);
    int op, operand;
    if (variable >= 0) {
        op = row.op[3], operand = variable;
    } else if (string >= 0) {
        op = row.op[1], operand = string;
    } else {
        operand = c.Value();
        if (!InRange(operand, row.Arg(1))) return SetError(line, msg::OutOfRangeSz);
        op = row.op[2];
    }
    WriteOut(line, op);
    WriteOut(line, address);
    WriteOut(line, operand);
}

void Compiler::SendIr(int line, const CommandRow& row) {
    const LineCursor c(*this, line);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    const int string = c.Str();
    if (string < 0) return SetError(line, msg::ParamWrongStrUndefined);
    WriteOut(line, row.op[0]);
    WriteOut(line, string);
}

void Compiler::Baud(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooMany);
    const int baud = c.Value();  // no range applies
    WriteOut(line, row.op[0]);
    EmitBaud(line, baud);
}

void Compiler::Setting(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    if (!c.Fits("\" _ \"")) return SetError(line, msg::LineError);
    if (!c.Next().Has()) return SetError(line, msg::ParamWrong);
    if (!c.Fits("_ \" .")) return SetError(line, msg::LineError);
    const int byte = SettingByte(c.Token());
    if (byte < 0) return SetError(line, msg::ParamWrong);
    WriteOut(line, row.op[0]);
    WriteOut(line, byte);
}

void Compiler::BusBaud(int line, const CommandRow& row) {
    LineCursor first(*this, line), c = first;
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooManyLineError);
    const int address = first.Value();
    if (!InRange(address, row.Arg(0))) return SetError(line, msg::OutOfRangeSz);
    const int baud = c.Value();
    if (!InRange(baud, row.Arg(1))) return SetError(line, msg::OutOfRangeSz);
    WriteOut(line, row.op[0]);
    WriteOut(line, address);
    EmitBaud(line, baud);
}

void Compiler::BusSetting(int line, const CommandRow& row) {
    LineCursor first(*this, line), c = first;
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    if (!c.Fits("\" _ \"")) return SetError(line, msg::LineError);
    if (!c.Next().Has()) return SetError(line, msg::ParamWrong);
    if (!c.Fits("_ \" .")) return SetError(line, msg::LineError);
    const int address = first.Value();
    if (!InRange(address, row.Arg(0))) return SetError(line, msg::OutOfRangeSz);
    const int byte = SettingByte(c.Token());
    if (byte < 0) return SetError(line, msg::ParamWrong);
    WriteOut(line, row.op[0]);
    WriteOut(line, address);
    WriteOut(line, byte);
}
