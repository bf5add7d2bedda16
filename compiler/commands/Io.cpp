// I/O, timer, memory and device-query commands.
#include "compiler/LineCursor.h"

void Compiler::SingleOperand(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooManyOrWrong);
    const Operand value = c.X();
    if (!ConstInRange(value, row.Arg(0))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[value.isVar ? 1 : 0]);
    EmitX(line, value, Width::Word);
}

void Compiler::SetTimer(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooManyOrWrong);
    if (c.Var() >= 0) return SetError(line, msg::VarNotAllowed);
    const int value = c.Value();
    if (!InRange(value, row.Arg(0))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[0]);
    WriteValue(line, value);
}

void Compiler::Blk(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    if (!c.Fits("_ , _ ( _ ) .")) return SetError(line, msg::LineError);
    const Operand block = c.X();
    if (!ConstInRange(block, row.Arg(0))) return SetError(line, msg::OutOfRange);
    const int value = c.Next().Value();
    if (!InRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    const int count = c.Next().Value();
    if (!InRange(count, row.Arg(2))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[block.isVar ? 1 : 0]);
    EmitX(line, block, Width::Word);
    WriteValue(line, value);
    WriteOut(line, count);
}

void Compiler::GetBlk(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int variable = c.Var();
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooManyOrWrong);
    if (variable < 0) return SetError(line, msg::VarUndefined);
    const int block = c.Value();
    if (!InRange(block, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[0]);
    WriteOut(line, variable);
    WriteValue(line, block);
}

void Compiler::PortIn(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int variable = c.Var();
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooManyOrWrong);
    VarCommaX(line, row, Width::Word, variable, c);
}

void Compiler::Adcin(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int variable = c.Var();
    if (variable < 0) return SetError(line, msg::VarUndefined);
    if (!c.Next().Skip(L',') || c.More()) return SetError(line, msg::LineError);
    VarCommaX(line, row, Width::Byte, variable, c);
}

void Compiler::MemRead(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int variable = c.Var();
    if (variable < 0) return SetError(line, msg::VarUndefined);
    if (!c.Next().Skip(L',')) return SetError(line, msg::LineError);
    if (c.More()) return SetError(line, msg::TooManyCap);
    VarCommaX(line, row, Width::Word, variable, c);
}

// The common tail of "V , X" commands once their own token checks passed.
void Compiler::VarCommaX(int line, const CommandRow& row, Width width, int variable, LineCursor& c) {
    if (variable < 0) return SetError(line, msg::VarUndefined);
    const Operand value = c.X();
    if (!ConstInRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[value.isVar ? 1 : 0]);
    WriteOut(line, variable);
    EmitX(line, value, width);
}

void Compiler::MemWrite(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    if (!c.Fits("_ ,")) return SetError(line, msg::LineError);
    if (!c.Fits("_ , _ _ .")) return SetError(line, msg::TooManyCap);  // WERT: a minus sign and a number at most
    const Operand cell = c.X();
    if (!ConstInRange(cell, row.Arg(0))) return SetError(line, msg::OutOfRange);
    const Operand value = c.Next().X();
    if (!ConstInRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[FormIndex(cell, value)]);
    EmitX(line, cell, Width::Word);
    EmitX(line, value, Width::Word);
}

void Compiler::VarOperand(int line, const CommandRow& row) {
    const LineCursor c(*this, line);
    if (c.More()) return SetError(line, msg::TooMany);
    const int variable = c.Var();
    if (variable < 0) return SetError(line, msg::VarUndefined);
    WriteOut(line, row.op[0]);
    WriteOut(line, variable);
}
