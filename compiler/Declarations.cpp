// defvar, defstr and jump marks: the names the commands refer to by number.
#include "compiler/LineCursor.h"
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
    LineCursor name(*this, line), c = name;
    if (!c.Next().Skip(row.sep)) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More() && !c.At(L'-')) return SetError(line, msg::ParamMissingOrWrong);
    if (!NameOk(name.Token())) return SetError(line, msg::BadIdentifierChar);
    if (IsKeyword(name.Token())) return SetError(line, msg::KeywordAsName);
    if (data.variableCount >= data.maxVariables) return SetError(line, msg::TooManyVariables);
    if (name.Var() >= 0) return SetError(line, msg::VariableExists);
    if (name.Str() >= 0) return SetError(line, msg::NameIsString);
    const int number = data.AddVariable(name.Token().ToString());
    Declare(NameKind::Variable, number, line);
    const int value = c.Value();
    if (!InRange(value, row.Arg(1))) return SetError(line, msg::OutOfRange);
    WriteOut(line, row.op[0]);
    WriteOut(line, number);
    WriteValue(line, value);
}

void Compiler::DefStr(int line, const CommandRow& row) {
    LineCursor name(*this, line), c = name;
    if (!c.Next().Skip(row.sep)) return SetError(line, msg::LineError);
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooManyCap);
    if (!NameOk(name.Token())) return SetError(line, msg::BadIdentifierChar);
    if (IsKeyword(name.Token())) return SetError(line, msg::KeywordAsName);
    if (data.stringCount >= data.maxStrings) return SetError(line, msg::TooManyStrings);
    if (name.Str() >= 0) return SetError(line, msg::StringExists);
    if (name.Var() >= 0) return SetError(line, msg::NameIsVariable);
    const int length = c.Value();
    if (!InRange(length, row.Arg(1))) return SetError(line, msg::OutOfAllowedRange);
    // The sum stays raised after a refusal, so the summary shows what was attempted.
    data.stringMemoryUsed += length;
    if (data.stringMemoryUsed > data.maxStringMemory) return SetError(line, msg::StringMemoryFull);
    const int number = data.AddString(name.Token().ToString(), length);
    Declare(NameKind::String, number, line);
    WriteOut(line, row.op[0]);
    WriteOut(line, number);
    WriteOut(line, length);
}

void Compiler::Z_jumpmarke_set(int line) {
    LineCursor c(*this, line);
    c.Next();  // past the second ':' of "::"
    if (!c.Has()) return SetError(line, msg::ParamMissing);
    if (c.More()) return SetError(line, msg::TooMany);
    const int mark = c.Mark();
    if (mark < 0) return SetError(line, msg::MarkUndefined);
    data.jumpMarkAddress[mark] = data.outputCount;
}
