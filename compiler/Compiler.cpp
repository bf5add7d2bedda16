// Operand readers, image writers, error recording and the line normaliser.
#include "compiler/Compiler.h"

#include "serial/Comport.h"

#include <climits>
#include <string>

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'z') return c - L'a' + 10;
    if (c >= L'A' && c <= L'Z') return c - L'A' + 10;
    return 99;
}

bool IsCSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// Reads a number the way the C library's atoi/strtol do (leading white space, a sign, for
// base 16 an optional 0x, then digits), but saturates at INT_MAX instead of overflowing.
int ParseNumber(const wxString& text, size_t pos, int base, bool& overflow) {
    const size_t n = text.length();
    while (pos < n && IsCSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < n && (text[pos] == L'+' || text[pos] == L'-')) negative = text[pos++] == L'-';
    if (base == 16 && pos + 2 < n && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X') &&
        DigitValue(text[pos + 2]) < 16)
        pos += 2;
    long long value = 0;
    for (; pos < n; ++pos) {
        const int d = DigitValue(text[pos]);
        if (d >= base) break;
        value = value * base + d;
        if (value > INT_MAX) {
            overflow = true;
            value = INT_MAX;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

bool IsOperator(wchar_t c) {
    switch (c) {
        case L'!': case L'%': case L'&': case L'(': case L')': case L'*': case L'+': case L',':
        case L'-': case L'/': case L':': case L'<': case L'=': case L'>': case L'|':
            return true;
        default:
            return false;
    }
}

}  // namespace

bool Compiler::StartsWithDigit(const wxString& t) { return !t.empty() && IsDigit(t[0]); }

bool Compiler::Is(int line, int slot, wchar_t c) const {
    const wxString& t = data.token[line][slot];
    return t.length() == 1 && t[0] == c;
}

int Compiler::Hi(const CommandRow& row) const {
    if (row.hi == kIoLimit) return data.maxIoNumber;
    if (row.hi == kBusLimit) return data.maxBusNumber;
    return row.hi;
}

int Compiler::ReadValue(int line, int slot) {
    valueOverflow_ = false;
    const wxString& t = Tok(line, slot);
    if (t.empty()) {
        SetError(line, msg::ParamMissing);
        return 0;
    }
    if (t.length() == 1 && t[0] == L'-') {
        const wxString empty;
        const wxString& u = slot + 1 < kTokenSlots ? Tok(line, slot + 1) : empty;
        if (u.empty()) {
            SetError(line, msg::ParamMissing);
            return 0;
        }
        if (StartsWithDigit(u)) return -ParseNumber(u, 0, 10, valueOverflow_);
        SetError(line, msg::ParamWrong);
        return 0;
    }
    if (StartsWithDigit(t)) {
        if (t.length() >= 2 && t[0] == L'0' && (t[1] == L'x' || t[1] == L'X'))
            return ParseNumber(t, 2, 16, valueOverflow_);
        if (t.length() >= 2 && t[0] == L'0' && (t[1] == L'b' || t[1] == L'B'))
            return ParseNumber(t, 2, 2, valueOverflow_);
        return ParseNumber(t, 0, 10, valueOverflow_);
    }
    SetError(line, msg::ParamWrong);
    return 0;
}

int Compiler::ReadVariable(wxString name) { return Data::Find(data.variableIndex, name); }
int Compiler::ReadString(wxString name) { return Data::Find(data.stringIndex, name); }
int Compiler::ReadJumpMarkeName(wxString name) { return Data::Find(data.markIndex, name); }

void Compiler::WriteOut(int line, int value) {
    if (data.outputCount >= kImageCells) {
        // Report a full image once per line, not once per dropped cell.
        if (line >= 0 && line < kImageCells && data.errorText[line] != msg::ImageFull) ErrorDirect(line, msg::ImageFull);
        return;
    }
    data.outputValue[data.outputCount] = value;
    data.outputLine[data.outputCount] = line;
    ++data.outputCount;
}

void Compiler::WriteValue(int line, int value) {
    WriteOut(line, ((value < 0 ? value + 65536 : value) / 256) & 255);
    WriteOut(line, value & 255);
}

void Compiler::SetError(int line, wxString text) {
    if (data.errorCount > 999 || line < 0 || line >= kImageCells) return;
    data.errorText[line] = text;
    ++data.errorCount;
}

void Compiler::ErrorDirect(int line, const wxString& text) {
    if (line < 0 || line >= kImageCells) return;
    data.errorText[line] = text;
    ++data.errorCount;
}

wxString Compiler::ConvertLiteral(const wxString& text) { return Comport::KonvertHex(text); }

wxString Compiler::FormatText(wxString line) {
    // Steps 1-3: drop CR/LF, tabs to blanks, characters beyond Latin-1 to '?', cut at "//".
    std::wstring s;
    s.reserve(line.length());
    for (wxString::const_iterator it = line.begin(); it != line.end(); ++it) {
        wchar_t c = static_cast<wchar_t>(static_cast<wxUniChar::value_type>(*it));
        if (c == L'\r' || c == L'\n') continue;
        if (c == L'\t') c = L' ';
        if (static_cast<unsigned>(c) > 255) c = L'?';
        s.push_back(c);
    }
    const size_t comment = s.find(L"//");
    if (comment != std::wstring::npos) s.resize(comment);

    // First pass: leading blanks go, the first blank after the first word becomes 0x04.
    std::wstring first;
    first.reserve(s.size());
    int state = 0;
    for (wchar_t c : s) {
        if (c != L' ') {
            first.push_back(c);
            if (state == 0) state = 1;
        } else if (state == 1) {
            first.push_back(L'\x04');
            state = 2;
        } else if (state == 2) {
            first.push_back(c);
        }
    }

    std::wstring out;
    out.reserve(first.size() + 2);
    if (first.find(L"#define") != std::wstring::npos) {
        // Second pass for a define: name, then 0x03 and one blank, then the value as written.
        state = 0;
        for (size_t i = 0; i < first.size(); ++i) {
            const wchar_t c = first[i];
            if (c != L' ') {
                out.push_back(c);
                if (i >= 8 && state == 0) state = 1;
            } else if (state == 1) {
                out.push_back(L'\x03');
                out.push_back(L' ');
                state = 2;
            } else if (state == 2) {
                out.push_back(c);
            }
        }
    } else {
        // Second pass: blanks survive only between double quotes.
        bool quoted = false;
        for (wchar_t c : first) {
            if (c == L'"') quoted = !quoted;
            if (c != L' ' || quoted) out.push_back(c);
        }
    }
    return wxString(out);
}

void Compiler::Tokenize(int line) {
    wxString* slot = data.token[line];
    for (int k = 0; k < kTokenSlots; ++k) slot[k].clear();
    const wxString& text = sourceLines_[line];
    if (refused_[line] || text.empty() || text[0] == L'#') return;

    int k = 0;
    bool quoted = false;
    bool overflow = false;
    std::wstring current;
    // Stores a token; a non-empty one beyond the 16 slots refuses the line.
    auto store = [&](const std::wstring& t) {
        if (k < kTokenSlots)
            slot[k] = t;
        else if (!t.empty())
            overflow = true;
        ++k;
    };
    for (wxString::const_iterator it = text.begin(); it != text.end() && !overflow; ++it) {
        const wchar_t c = static_cast<wchar_t>(static_cast<wxUniChar::value_type>(*it));
        if (c == L'\x04') {
            store(current);
            current.clear();
        } else if (c == L'"' && !quoted) {
            store(L"\"");
            current.clear();
            quoted = true;
        } else if (c == L'"') {
            store(current);
            store(L"\"");
            current.clear();
            quoted = false;
        } else if (quoted) {
            current.push_back(c);
        } else if (IsOperator(c)) {
            if (!current.empty()) {
                store(current);
                current.clear();
            }
            store(std::wstring(1, c));
        } else {
            current.push_back(c);
        }
    }
    if (!overflow) store(current);
    if (overflow) {
        for (int j = 0; j < kTokenSlots; ++j) slot[j].clear();
        refused_[line] = 1;
        ErrorDirect(line, msg::TooManyTokens);
    }
}
