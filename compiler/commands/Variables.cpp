// setvar, addvar, subvar, calc, count and endcount.
#include "compiler/Compiler.h"

Compiler::Operand Compiler::ReadX(int line, int slot) {
    Operand o;
    o.value = Var(line, slot);
    o.isVar = o.value >= 0;
    if (!o.isVar) o.value = ReadValue(line, slot);
    return o;
}

void Compiler::VarAssign(int line, const CommandRow& row) {
    if (!Is(line, 2, row.sep)) return SetError(line, msg::LineError);
    if (!Has(line, 3)) return SetError(line, msg::ParamMissing);
    if (Has(line, 4) && !Is(line, 3, L'-')) return SetError(line, msg::ParamMissingOrWrong);
    const int target = Var(line, 1);
    if (target < 0) return SetError(line, msg::VarUndefined);
    const Operand value = ReadX(line, 3);
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

// calc and count share the operand layout: A at P3 (or "-" and digits), a one-token operator
// or separator at k, B after it. A variable A leaves B at P5.
bool Compiler::ReadCalcOperands(int line, const CommandRow& row, bool needsOperator, int& k, Operand& a, Operand& b) {
    const int target = Var(line, 1);
    if (target < 0) return SetError(line, msg::ParamMissingVarUndefined), false;
    if (!Is(line, 2, L'=')) return SetError(line, msg::EqualsMissing), false;
    if (!Has(line, 3)) return SetError(line, msg::ParamMissing), false;
    k = Is(line, 3, L'-') ? 5 : 4;
    if (needsOperator && OperatorCode(Tok(line, k)) < 0) return SetError(line, msg::LineError), false;
    a = ReadX(line, 3);
    b = ReadX(line, k + 1);
    if (!ConstInRange(a, row.Arg(1)) || !ConstInRange(b, row.Arg(needsOperator ? 3 : 2)))
        return SetError(line, msg::OutOfRange), false;
    return true;
}

void Compiler::Calc(int line, const CommandRow& row) {
    int k;
    Operand a, b;
    if (!ReadCalcOperands(line, row, true, k, a, b)) return;
    WriteOut(line, row.op[FormIndex(a, b)]);
    WriteOut(line, Var(line, 1));
    EmitX(line, a, Width::Word);
    WriteOut(line, OperatorCode(Tok(line, k)));
    EmitX(line, b, Width::Word);
}

void Compiler::Count(int line, const CommandRow& row) {
    int k;
    Operand a, b;
    if (!ReadCalcOperands(line, row, false, k, a, b)) return;
    BlockStack& stack = data.*row.stack;
    if (stack.depth >= kMaxBlockDepth) return SetError(line, msg::NestingTooDeep);
    WriteOut(line, row.op[FormIndex(a, b)]);
    WriteOut(line, Var(line, 1));
    EmitX(line, a, Width::PaddedWord);
    EmitX(line, b, Width::PaddedWord);
    OpenBlock(stack, data.outputCount);
}

void Compiler::CountEnd(int line, const CommandRow& row) {
    if (Has(line, 1)) return SetError(line, msg::TooMany);
    BlockStack& stack = data.*row.stack;
    const int loop = stack.depth >= 0 ? stack.slot[stack.depth] : 0;
    WriteOut(line, row.op[0]);
    WriteValue(line, loop);
    if (--stack.depth < 0) SetError(line, row.message);
}
