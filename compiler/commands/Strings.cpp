// String commands: assign, append, search, positions, conversions and the output buffers.
#include "compiler/LineCursor.h"

void Compiler::StrAssign(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int target = c.Str();
    if (!c.Next().Skip(row.sep)) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (target < 0) return SetError(line, msg::StrUndefined);
    const int variable = c.Var();
    const int source = c.Str();
    if (variable >= 0 || source >= 0) {
        if (c.More()) return SetError(line, msg::TooManyCap);
        WriteOut(line, row.op[variable >= 0 ? 3 : 1]);
        WriteOut(line, target);
        WriteOut(line, variable >= 0 ? variable : source);
    } else if (c.At(L'"')) {
        if (!c.Fits("\" _ \"")) return SetError(line, msg::LineError);
        const wxString text = c.Text();
        if (static_cast<int>(text.length()) > data.stringLength[target]) return SetError(line, msg::StringTooLong);
        WriteOut(line, row.op[0]);
        WriteOut(line, target);
        EmitLiteral(line, text);
    } else if (StartsWithDigit(c.Token())) {
        const int value = c.Value();
        if (!InRange(value, row.Arg(1))) return SetError(line, msg::OutOfRangeSz);
        WriteOut(line, row.op[2]);
        WriteOut(line, target);
        WriteOut(line, value);
    } else {
        SetError(line, msg::LineError);
    }
}

void Compiler::Find(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int variable = c.Var();
    if (variable < 0) return SetError(line, msg::VarUndefined);
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    const int target = c.Str();
    if (target < 0) return SetError(line, msg::StrUndefined);
    if (c.Next().Fits("( \"")) {
        if (!c.Fits("( \" _ \" )")) return SetError(line, msg::LineError);
        const wxString text = c.Next().Text();
        if (static_cast<int>(text.length()) > row.Arg(2).text) return SetError(line, msg::TextTooLong);
        WriteOut(line, row.op[0]);
        WriteOut(line, variable);
        WriteOut(line, target);
        return EmitLiteral(line, text);
    }
    if (!c.Fits("( _ )")) return SetError(line, msg::LineError);
    const int other = c.Next().Str();
    int op = row.op[1], operand = other;
    if (c.Var() >= 0) {
        op = row.op[3], operand = c.Var();
    } else if (other < 0) {
        operand = c.Value();
        if (!InRange(operand, row.Arg(2))) return SetError(line, msg::OutOfRange);
        op = row.op[2];
    }
    WriteOut(line, op);
    WriteOut(line, variable);
    WriteOut(line, target);
    WriteOut(line, operand);
}

void Compiler::DelStrPos(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int target = c.Str();
    if (target < 0) return SetError(line, msg::StrUndefined);
    if (!c.Fits("_ , _ .")) return SetError(line, msg::LineError);
    const Operand position = c.Next(2).X();
    if (!ConstInRange(position, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[position.isVar ? 1 : 0]);
    WriteOut(line, target);
    WriteOut(line, position.value);
}

void Compiler::StrToVar(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int variable = c.Var();
    if (variable < 0) return SetError(line, msg::VarUndefined);
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    const int source = c.Str();
    if (source < 0) return SetError(line, msg::StrUndefined);
    if (!c.Next().Fits("( _ ) .")) return SetError(line, msg::LineError);
    const Operand position = c.Next().X();
    if (!ConstInRange(position, row.Arg(2))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[position.isVar ? 1 : 0]);
    WriteOut(line, variable);
    WriteOut(line, source);
    WriteOut(line, position.value);
}

void Compiler::VarToStr(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int target = c.Str();
    if (target < 0) return SetError(line, msg::StrUndefined);
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    const int variable = c.Var();
    if (variable < 0) return SetError(line, msg::VarUndefined);
    if (!c.Next().Fits("( _ ) .")) return SetError(line, msg::LineError);
    const int position = c.Next().Value();
    if (!InRange(position, row.Arg(2))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[0]);
    WriteOut(line, target);
    WriteOut(line, variable);
    WriteOut(line, position);
}

void Compiler::ByteToStr(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int target = c.Str();
    if (target < 0) return SetError(line, msg::StrUndefined);
    if (!c.Next().Fits(", _ ( _ )")) return SetError(line, msg::LineError);
    const Operand value = c.Next().X();
    if (!ConstInRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    const Operand position = c.Next().X();
    if (!ConstInRange(position, row.Arg(2))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[FormIndex(value, position)]);
    WriteOut(line, target);
    EmitX(line, value, Width::Byte);
    EmitX(line, position, Width::Byte);
}

void Compiler::GetStrLen(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int variable = c.Var();
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooManyOrWrong);
    if (variable < 0) return SetError(line, msg::VarUndefined);
    const int source = c.Str();
    if (source < 0) return SetError(line, msg::StrUndefined);
    WriteOut(line, row.op[0]);
    WriteOut(line, variable);
    WriteOut(line, source);
}

void Compiler::StringOperand(int line, const CommandRow& row) {
    const LineCursor c(*this, line);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooManyOrWrong);
    const int source = c.Str();
    if (source < 0) return SetError(line, msg::StrUndefined);
    WriteOut(line, row.op[0]);
    WriteOut(line, source);
}

void Compiler::StrToBusBuffer(int line, const CommandRow& row) {
    LineCursor first(*this, line), c = first;
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    const int source = c.Str();
    if (source < 0) return SetError(line, msg::ParamWrongStrUndefined);
    const int address = first.Value();
    if (!InRange(address, row.Arg(0))) return SetError(line, msg::OutOfRangeSz);
    WriteOut(line, row.op[0]);
    WriteOut(line, address);
    WriteOut(line, source);
}
