// String commands: assign, append, search, positions, conversions and the output buffers.
#include "compiler/Compiler.h"

void Compiler::StrAssign(int line, const CommandRow& row) {
    if (!Is(line, 2, row.sep)) return SetError(line, msg::LineError);
    if (!Has(line, 3)) return SetError(line, msg::ParamMissing);
    const int target = Str(line, 1);
    if (target < 0) return SetError(line, msg::StrUndefined);
    const int variable = Var(line, 3);
    const int source = Str(line, 3);
    if (variable >= 0 || source >= 0) {
        if (Has(line, 4)) return SetError(line, msg::TooManyCap);
        WriteOut(line, row.op[variable >= 0 ? 3 : 1]);
        WriteOut(line, target);
        WriteOut(line, variable >= 0 ? variable : source);
    } else if (IsQuote(line, 3)) {
        if (!IsQuote(line, 5)) return SetError(line, msg::LineError);
        const wxString text = ConvertLiteral(Tok(line, 4).ToString());
        if (static_cast<int>(text.length()) > data.stringLength[target]) return SetError(line, msg::StringTooLong);
        WriteOut(line, row.op[0]);
        WriteOut(line, target);
        EmitLiteral(line, text);
    } else if (StartsWithDigit(Tok(line, 3))) {
        const int value = ReadValue(line, 3);
        if (!InRange(value, row.Arg(1))) return SetError(line, msg::OutOfRangeSz);
        WriteOut(line, row.op[2]);
        WriteOut(line, target);
        WriteOut(line, value);
    } else {
        SetError(line, msg::LineError);
    }
}

void Compiler::Find(int line, const CommandRow& row) {
    const int variable = Var(line, 1);
    if (variable < 0) return SetError(line, msg::VarUndefined);
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    const int target = Str(line, 3);
    if (target < 0) return SetError(line, msg::StrUndefined);
    if (Is(line, 4, L'(') && IsQuote(line, 5)) {
        if (!IsQuote(line, 7) || !Is(line, 8, L')')) return SetError(line, msg::LineError);
        const wxString text = ConvertLiteral(Tok(line, 6).ToString());
        if (static_cast<int>(text.length()) > row.Arg(2).text) return SetError(line, msg::TextTooLong);
        WriteOut(line, row.op[0]);
        WriteOut(line, variable);
        WriteOut(line, target);
        return EmitLiteral(line, text);
    }
    if (!ParenOk(line)) return SetError(line, msg::LineError);
    const int other = Str(line, 5);
    int op = row.op[1], operand = other;
    if (Var(line, 5) >= 0) {
        op = row.op[3], operand = Var(line, 5);
    } else if (other < 0) {
        operand = ReadValue(line, 5);
        if (!InRange(operand, row.Arg(2))) return SetError(line, msg::OutOfRange);
        op = row.op[2];
    }
    WriteOut(line, op);
    WriteOut(line, variable);
    WriteOut(line, target);
    WriteOut(line, operand);
}

void Compiler::DelStrPos(int line, const CommandRow& row) {
    const int target = Str(line, 1);
    if (target < 0) return SetError(line, msg::StrUndefined);
    if (!Is(line, 2, L',') || Has(line, 4)) return SetError(line, msg::LineError);
    const Operand position = ReadX(line, 3);
    if (!ConstInRange(position, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[position.isVar ? 1 : 0]);
    WriteOut(line, target);
    WriteOut(line, position.value);
}

void Compiler::StrToVar(int line, const CommandRow& row) {
    const int variable = Var(line, 1);
    if (variable < 0) return SetError(line, msg::VarUndefined);
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    const int source = Str(line, 3);
    if (source < 0) return SetError(line, msg::StrUndefined);
    if (!ParenOk(line) || Has(line, 7)) return SetError(line, msg::LineError);
    const Operand position = ReadX(line, 5);
    if (!ConstInRange(position, row.Arg(2))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[position.isVar ? 1 : 0]);
    WriteOut(line, variable);
    WriteOut(line, source);
    WriteOut(line, position.value);
}

void Compiler::VarToStr(int line, const CommandRow& row) {
    const int target = Str(line, 1);
    if (target < 0) return SetError(line, msg::StrUndefined);
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    const int variable = Var(line, 3);
    if (variable < 0) return SetError(line, msg::VarUndefined);
    if (!ParenOk(line) || Has(line, 7)) return SetError(line, msg::LineError);
    const int position = ReadValue(line, 5);
    if (!InRange(position, row.Arg(2))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[0]);
    WriteOut(line, target);
    WriteOut(line, variable);
    WriteOut(line, position);
}

void Compiler::ByteToStr(int line, const CommandRow& row) {
    const int target = Str(line, 1);
    if (target < 0) return SetError(line, msg::StrUndefined);
    if (!Is(line, 2, L',') || !ParenOk(line)) return SetError(line, msg::LineError);
    const Operand value = ReadX(line, 3);
    if (!ConstInRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    const Operand position = ReadX(line, 5);
    if (!ConstInRange(position, row.Arg(2))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[FormIndex(value, position)]);
    WriteOut(line, target);
    EmitX(line, value, Width::Byte);
    EmitX(line, position, Width::Byte);
}

void Compiler::GetStrLen(int line, const CommandRow& row) {
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    if (!Has(line, 3)) return SetError(line, msg::ParamMissing);
    if (Has(line, 4)) return SetError(line, msg::TooManyOrWrong);
    const int variable = Var(line, 1);
    if (variable < 0) return SetError(line, msg::VarUndefined);
    const int source = Str(line, 3);
    if (source < 0) return SetError(line, msg::StrUndefined);
    WriteOut(line, row.op[0]);
    WriteOut(line, variable);
    WriteOut(line, source);
}

void Compiler::StringOperand(int line, const CommandRow& row) {
    if (!Has(line, 1)) return SetError(line, msg::ParamMissing);
    if (Has(line, 2)) return SetError(line, msg::TooManyOrWrong);
    const int source = Str(line, 1);
    if (source < 0) return SetError(line, msg::StrUndefined);
    WriteOut(line, row.op[0]);
    WriteOut(line, source);
}

void Compiler::StrToBusBuffer(int line, const CommandRow& row) {
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    if (!Has(line, 3)) return SetError(line, msg::ParamMissing);
    const int source = Str(line, 3);
    if (source < 0) return SetError(line, msg::ParamWrongStrUndefined);
    const int address = ReadValue(line, 1);
    if (!InRange(address, row.Arg(0))) return SetError(line, msg::OutOfRangeSz);
    WriteOut(line, row.op[0]);
    WriteOut(line, address);
    WriteOut(line, source);
}
