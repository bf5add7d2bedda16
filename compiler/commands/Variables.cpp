// setvar, addvar, subvar, calc, count and endcount.
#include "compiler/LineCursor.h"

Compiler::Operand Compiler::ReadX(int line, int slot) {
    Operand o;
    o.value = Var(line, slot);
    o.isVar = o.value >= 0;
    if (!o.isVar) o.value = ReadValue(line, slot);
    return o;
}

void Compiler::VarAssign(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int target = c.Var();
    if (!c.Next().Skip(row.sep)) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More() && !c.At(L'-')) return SetError(line, msg::ParamMissingOrWrong);
    if (target < 0) return SetError(line, msg::VarUndefined);
    const Operand value = c.X();
    if (!ConstInRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[value.isVar ? 1 : 0]);
    WriteOut(line, target);
    EmitX(line, value, Width::Word);
}

namespace {

const wchar_t kOperators[] = L"+-*/|&%";  // code i + 1 is kOperators[i]

int OperatorCode(const TokenText& t) {
    if (t.length() != 1) return -1;
    for (int i = 0; kOperators[i]; ++i)
        if (t[0] == kOperators[i]) return i + 1;
    return -1;
}

}  // namespace

wxString Compiler::OperatorText(int code) {
    return code >= 1 && code <= 7 ? wxString(kOperators[code - 1]) : wxString::Format("?%d", code);
}

// calc and count share the operand layout: the target, '=', A (its minus sign a token of its
// own), one token (calc's operator, count's separator, which is not checked), B.
bool Compiler::ReadCalcOperands(int line, const CommandRow& row, bool needsOperator, CalcOperands& o) {
    LineCursor c(*this, line);
    o.target = c.Var();
    if (o.target < 0) return SetError(line, msg::ParamMissingVarUndefined), false;
    if (!c.Next().Skip(L'=')) return SetError(line, msg::EqualsMissing), false;
    if (!c.Has()) return SetError(line, msg::ParamMissing), false;
    LineCursor between = c.Past();
    o.op = OperatorCode(between.Token());
    if (needsOperator && o.op < 0) return SetError(line, msg::LineError), false;
    o.a = c.X();
    o.b = between.Next().X();
    if (!ConstInRange(o.a, row.Arg(1)) || !ConstInRange(o.b, row.Arg(needsOperator ? 3 : 2)))
        return SetError(line, msg::OutOfRange), false;
    return true;
}

void Compiler::Calc(int line, const CommandRow& row) {
    CalcOperands o;
    if (!ReadCalcOperands(line, row, true, o)) return;
    WriteOut(line, row.op[FormIndex(o.a, o.b)]);
    WriteOut(line, o.target);
    EmitX(line, o.a, Width::Word);
    WriteOut(line, o.op);
    EmitX(line, o.b, Width::Word);
}

void Compiler::Count(int line, const CommandRow& row) {
    CalcOperands o;
    if (!ReadCalcOperands(line, row, false, o)) return;
    BlockStack& stack = data.*row.stack;
    if (stack.depth >= kMaxBlockDepth) return SetError(line, msg::NestingTooDeep);
    WriteOut(line, row.op[FormIndex(o.a, o.b)]);
    WriteOut(line, o.target);
    EmitX(line, o.a, Width::PaddedWord);
    EmitX(line, o.b, Width::PaddedWord);
    OpenBlock(stack, data.outputCount);
}

void Compiler::CountEnd(int line, const CommandRow& row) {
    if (LineCursor(*this, line).Has()) return SetError(line, msg::TooMany);
    BlockStack& stack = data.*row.stack;
    const int loop = stack.depth >= 0 ? stack.slot[stack.depth] : 0;
    WriteOut(line, row.op[0]);
    WriteValue(line, loop);
    if (--stack.depth < 0) SetError(line, row.message);
}
