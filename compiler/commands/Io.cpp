// I/O, timer, memory and device-query commands.
#include "compiler/Compiler.h"

void Compiler::SingleOperand(int line, const CommandRow& row) {
    if (!Has(line, 1)) return SetError(line, msg::ParamMissing);
    if (Has(line, 2)) return SetError(line, msg::TooManyOrWrong);
    const Operand value = ReadX(line, 1);
    if (!ConstInRange(value, row.Arg(0))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[value.isVar ? 1 : 0]);
    EmitX(line, value, Width::Word);
}

void Compiler::SetTimer(int line, const CommandRow& row) {
    if (!Has(line, 1)) return SetError(line, msg::ParamMissing);
    if (Has(line, 2)) return SetError(line, msg::TooManyOrWrong);
    if (Var(line, 1) >= 0) return SetError(line, msg::VarNotAllowed);
    const int value = ReadValue(line, 1);
    if (!InRange(value, row.Arg(0))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[0]);
    WriteValue(line, value);
}

void Compiler::Blk(int line, const CommandRow& row) {
    if (!Is(line, 2, L',') || !Is(line, 4, L'(') || !Is(line, 6, L')') || Has(line, 7))
        return SetError(line, msg::LineError);
    const Operand block = ReadX(line, 1);
    if (!ConstInRange(block, row.Arg(0))) return SetError(line, msg::OutOfRange);
    const int value = ReadValue(line, 3);
    if (!InRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    const int count = ReadValue(line, 5);
    if (!InRange(count, row.Arg(2))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[block.isVar ? 1 : 0]);
    EmitX(line, block, Width::Word);
    WriteValue(line, value);
    WriteOut(line, count);
}

void Compiler::GetBlk(int line, const CommandRow& row) {
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    if (!Has(line, 3)) return SetError(line, msg::ParamMissing);
    if (Has(line, 4)) return SetError(line, msg::TooManyOrWrong);
    const int variable = Var(line, 1);
    if (variable < 0) return SetError(line, msg::VarUndefined);
    const int block = ReadValue(line, 3);
    if (!InRange(block, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[0]);
    WriteOut(line, variable);
    WriteValue(line, block);
}

void Compiler::PortIn(int line, const CommandRow& row) {
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    if (!Has(line, 3)) return SetError(line, msg::ParamMissing);
    if (Has(line, 4)) return SetError(line, msg::TooManyOrWrong);
    VarCommaX(line, row, Width::Word);
}

void Compiler::Adcin(int line, const CommandRow& row) {
    if (Var(line, 1) < 0) return SetError(line, msg::VarUndefined);
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    if (Has(line, 4)) return SetError(line, msg::LineError);
    VarCommaX(line, row, Width::Byte);
}

void Compiler::MemRead(int line, const CommandRow& row) {
    if (Var(line, 1) < 0) return SetError(line, msg::VarUndefined);
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    if (Has(line, 4)) return SetError(line, msg::TooManyCap);
    VarCommaX(line, row, Width::Word);
}

// The common tail of "V , X" commands once their own token checks passed.
void Compiler::VarCommaX(int line, const CommandRow& row, Width width) {
    const int variable = Var(line, 1);
    if (variable < 0) return SetError(line, msg::VarUndefined);
    const Operand value = ReadX(line, 3);
    if (!ConstInRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[value.isVar ? 1 : 0]);
    WriteOut(line, variable);
    EmitX(line, value, width);
}

void Compiler::MemWrite(int line, const CommandRow& row) {
    if (!Is(line, 2, L',')) return SetError(line, msg::LineError);
    if (Has(line, 5)) return SetError(line, msg::TooManyCap);
    const Operand cell = ReadX(line, 1);
    if (!ConstInRange(cell, row.Arg(0))) return SetError(line, msg::OutOfRange);
    const Operand value = ReadX(line, 3);
    if (!ConstInRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[FormIndex(cell, value)]);
    EmitX(line, cell, Width::Word);
    EmitX(line, value, Width::Word);
}

void Compiler::VarOperand(int line, const CommandRow& row) {
    if (Has(line, 2)) return SetError(line, msg::TooMany);
    const int variable = Var(line, 1);
    if (variable < 0) return SetError(line, msg::VarUndefined);
    WriteOut(line, row.op[0]);
    WriteOut(line, variable);
}
