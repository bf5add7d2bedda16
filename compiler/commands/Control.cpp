// if/else/endif, jumps, return and the key blocks press, push, release.
#include "compiler/LineCursor.h"

#include <iterator>

void Compiler::OpenBlock(BlockStack& stack, int position) {
    // A surplus end command may have driven the depth below 0; such a depth has no slot.
    ++stack.depth;
    if (stack.depth >= 0 && stack.depth < kStackSlots) stack.slot[stack.depth] = position;
}

namespace {

struct Comparison {
    wchar_t first;
    wchar_t second;  // 0: any token, which is then the operand
    int code;
};

// Later rows win over earlier ones, so a two-token comparison beats its first token alone.
constexpr Comparison kComparisons[] = {{L'=', 0, 0x0A},    {L'=', L'=', 0x0A}, {L'<', 0, 0x0D},
                                       {L'<', L'=', 0x0B}, {L'>', 0, 0x0E},    {L'>', L'=', 0x0C},
                                       {L'!', L'=', 0x0F}, {L'|', L'|', 0x10}, {L'&', L'&', 0x11}};

}  // namespace

wxString Compiler::ComparisonText(int code) {
    // The two-token rows come last: "==" rather than "=" for 0x0A.
    for (auto c = std::rbegin(kComparisons); c != std::rend(kComparisons); ++c)
        if (c->code == code) return c->second ? wxString(c->first) + c->second : wxString(c->first);
    return wxString::Format("?%d", code);
}

std::wstring Compiler::ComparisonList() {
    std::wstring list;
    for (const Comparison& c : kComparisons) {
        if (!list.empty()) list += L' ';
        list += c.first;
        if (c.second) list += c.second;
    }
    return list;
}

void Compiler::If(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    const int variable = c.Var();
    if (variable < 0) return SetError(line, msg::ParamMissingVarUndefined);
    const Comparison* match = nullptr;
    const LineCursor first = c.Next(), second = LineCursor(first).Next();
    for (const Comparison& k : kComparisons)
        if (first.At(k.first) && (k.second == 0 || second.At(k.second))) match = &k;
    if (!match) return SetError(line, msg::LineError);
    const Operand value = c.Next(match->second ? 2 : 1).X();
    if (!ConstInRange(value, row.Arg(2))) return SetError(line, msg::OutOfRange);
    if (data.ifStack.depth >= kMaxBlockDepth) return SetError(line, msg::NestingTooDeep);
    WriteOut(line, row.op[value.isVar ? 1 : 0]);
    WriteOut(line, variable);
    WriteOut(line, match->code);
    EmitX(line, value, Width::Word);
    OpenBlock(data.ifStack, data.outputCount);
    ++data.elseStack.depth;
    const int d = data.ifStack.depth;
    if (d >= 0 && d < kStackSlots) data.elseStack.slot[d] = 0;
    EmitAddress(line);
}

void Compiler::Else(int line, const CommandRow&) {
    if (LineCursor(*this, line).Has()) return SetError(line, msg::TooMany);
    const int d = data.ifStack.depth;
    if (d >= 1) PatchAddress(data.ifStack.slot[d], data.outputCount + 3);
    if (d < 0) return SetError(line, msg::ElseWithoutIf);
    if (data.elseStack.depth <= 0) return SetError(line, msg::ElseAfterEndif);
    --data.elseStack.depth;
    data.elseStack.slot[d] = data.outputCount + 1;
    WriteOut(line, kElsePlaceholder);
    EmitAddress(line);
}

void Compiler::EndIf(int line, const CommandRow&) {
    if (LineCursor(*this, line).Has()) return SetError(line, msg::TooMany);
    const int d = data.ifStack.depth;
    if (d >= 1) {
        if (data.elseStack.slot[d] != 0) {
            PatchAddress(data.elseStack.slot[d], data.outputCount);
        } else {
            PatchAddress(data.ifStack.slot[d], data.outputCount);
            --data.elseStack.depth;
        }
    }
    if (--data.ifStack.depth < 0) SetError(line, msg::EndifWithoutIf);
}

void Compiler::Jump(int line, const CommandRow& row) {
    const LineCursor c(*this, line);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooMany);
    const int mark = c.Mark();
    if (mark < 0) return SetError(line, msg::MarkUndefined);
    WriteOut(line, row.op[0]);  // the placeholder, resolved once every mark has its address
    WriteValue(line, mark);
}

void Compiler::NoOperand(int line, const CommandRow& row) {
    if (LineCursor(*this, line).Has()) return SetError(line, msg::TooMany);
    WriteOut(line, row.op[0]);
}

void Compiler::KeyBlock(int line, const CommandRow& row) {
    LineCursor c(*this, line);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooManyOrWrong);
    const Operand key = c.X();
    if (!ConstInRange(key, row.Arg(0))) return SetError(line, msg::OutOfRange);
    BlockStack& stack = data.*row.stack;
    if (stack.depth >= kMaxBlockDepth) return SetError(line, msg::NestingTooDeep);
    WriteOut(line, row.op[key.isVar ? 1 : 0]);
    EmitX(line, key, Width::Word);
    OpenBlock(stack, data.outputCount);
    EmitAddress(line);
}

void Compiler::BlockEnd(int line, const CommandRow& row) {
    if (LineCursor(*this, line).Has()) return SetError(line, msg::TooMany);
    BlockStack& stack = data.*row.stack;
    if (stack.depth >= 1) PatchAddress(stack.slot[stack.depth], data.outputCount);
    if (--stack.depth < 0) SetError(line, row.message);
}
