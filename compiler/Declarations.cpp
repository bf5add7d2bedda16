// defvar, defstr and jump marks: the names the commands refer to by number.
#include "compiler/Compiler.h"
#include "compiler/NameChars.h"

// Every character must be an identifier character; an empty name (possible only through a
// control character in the script) is refused too, so that no empty slot ever finds it.
bool Compiler::NameOk(const TokenText& name) const {
    if (name.empty()) return false;
    for (size_t i = 0; i < name.length(); ++i)
        if (!names::IsNameChar(name[i])) return false;
    return true;
}

bool Compiler::IsKeyword(const TokenText& name) const {
    return data.keywordList.Index(name.ToString(), true) != wxNOT_FOUND;
}

void Compiler::DefVar(int line, const CommandRow& row) {
    if (!Is(line, 2, row.sep)) return SetError(line, msg::LineError);
    if (!Has(line, 3)) return SetError(line, msg::ParamMissing);
    if (Has(line, 4) && !Is(line, 3, L'-')) return SetError(line, msg::ParamMissingOrWrong);
    const TokenText& name = Tok(line, 1);
    if (!NameOk(name)) return SetError(line, msg::BadIdentifierChar);
    if (IsKeyword(name)) return SetError(line, msg::KeywordAsName);
    if (data.variableCount >= data.maxVariables) return SetError(line, msg::TooManyVariables);
    if (Var(line, 1) >= 0) return SetError(line, msg::VariableExists);
    if (Str(line, 1) >= 0) return SetError(line, msg::NameIsString);
    const int number = data.AddVariable(name.ToString());
    Declare(NameKind::Variable, number, line);
    const int value = ReadValue(line, 3);
    if (!InRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[0]);
    WriteOut(line, number);
    WriteValue(line, value);
}

void Compiler::DefStr(int line, const CommandRow& row) {
    if (!Is(line, 2, row.sep)) return SetError(line, msg::LineError);
    if (!Has(line, 3)) return SetError(line, msg::ParamMissing);
    if (Has(line, 4)) return SetError(line, msg::TooManyCap);
    const TokenText& name = Tok(line, 1);
    if (!NameOk(name)) return SetError(line, msg::BadIdentifierChar);
    if (IsKeyword(name)) return SetError(line, msg::KeywordAsName);
    if (data.stringCount >= data.maxStrings) return SetError(line, msg::TooManyStrings);
    if (Str(line, 1) >= 0) return SetError(line, msg::StringExists);
    if (Var(line, 1) >= 0) return SetError(line, msg::NameIsVariable);
    const int length = ReadValue(line, 3);
    if (!InRange(length, row.Arg(1))) return SetError(line, msg::OutOfAllowedRange);
    // The sum stays raised after a refusal, so the summary shows what was attempted.
    data.stringMemoryUsed += length;
    if (data.stringMemoryUsed > data.maxStringMemory) return SetError(line, msg::StringMemoryFull);
    const int number = data.AddString(name.ToString(), length);
    Declare(NameKind::String, number, line);
    WriteOut(line, row.op[0]);
    WriteOut(line, number);
    WriteOut(line, length);
}

void Compiler::Z_jumpmarke_set(int line) {
    if (!Has(line, 2)) return SetError(line, msg::ParamMissing);
    if (Has(line, 3)) return SetError(line, msg::TooMany);
    const int mark = Mark(line, 2);
    if (mark < 0) return SetError(line, msg::MarkUndefined);
    data.jumpMarkAddress[mark] = data.outputCount;
}
