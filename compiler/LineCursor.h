// A cursor over one line's tokens after the command word, so that a shape handler reads like its
// rule: the punctuation the line must show, then each operand in the order it is written.
#pragma once

#include "compiler/Compiler.h"

class Compiler::LineCursor {
public:
    LineCursor(Compiler& compiler, int line) : c_(compiler), line_(line) {}

    // Whether the tokens from the cursor on fit `pattern`: places separated by one blank, "_" any
    // token (or none), "." no token, any other character the token of just that character.
    // Checks only; the cursor stays. A minus sign takes a place of its own.
    bool Fits(const char* pattern) const {
        for (int slot = slot_; *pattern; ++slot, pattern += pattern[1] ? 2 : 1) {
            const TokenText& t = Slot(slot);
            if (*pattern == '.' ? !t.empty() : *pattern != '_' && !t.Is(static_cast<wchar_t>(*pattern))) return false;
        }
        return true;
    }
    bool Has() const { return !Token().empty(); }
    bool More() const { return !Slot(slot_ + 1).empty(); }  // a token after the one at the cursor
    bool At(wchar_t c) const { return Token().Is(c); }
    // Steps over the token `c`; false (and stays) when another token stands there.
    bool Skip(wchar_t c) { return At(c) ? (++slot_, true) : false; }
    LineCursor& Next(int places = 1) { return slot_ += places, *this; }

    // The token at the cursor, and the name it is in its table (-1: none); the cursor stays.
    const TokenText& Token() const { return Slot(slot_); }
    int Var() const { return data.variableIndex.Find(Token().bytes()); }
    int Str() const { return data.stringIndex.Find(Token().bytes()); }
    int Mark() const { return data.markIndex.Find(Token().bytes()); }

    // Reads the operand at the cursor and steps one place; a minus sign, a token of its own, is
    // read with the number after it (Past steps over both).
    Operand X() { return c_.ReadX(line_, slot_++); }
    int Value() { return c_.ReadValue(line_, slot_++); }
    LineCursor Past() const { return LineCursor(*this).Next(At(L'-') ? 2 : 1); }
    // At an opening quote: the text up to the closing one, converted; steps past the closing quote.
    wxString Text() {
        const wxString text = ConvertLiteral(Slot(slot_ + 1).ToString());
        slot_ += 3;
        return text;
    }

private:
    const TokenText& Slot(int slot) const {
        static const TokenText none{};
        return slot < kTokenSlots ? data.token[line_][slot] : none;
    }

    Compiler& c_;
    int line_;
    int slot_ = 1;
};
