#include "serial/Comport.h"

#include <string>

Comport comport;

namespace {

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// The two characters between the brackets, read as strtol reads base 16: leading white space,
// a sign, then hexadecimal digits up to the first other character; no digit gives 0.
int BracketValue(wchar_t a, wchar_t b) {
    const wchar_t s[2] = {a, b};
    size_t i = 0;
    while (i < 2 && (s[i] == L' ' || (s[i] >= L'\t' && s[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < 2 && (s[i] == L'+' || s[i] == L'-')) negative = s[i++] == L'-';
    int value = 0;
    for (; i < 2 && HexDigit(s[i]) >= 0; ++i) value = value * 16 + HexDigit(s[i]);
    // A negative value keeps its low byte, as a char conversion of it would.
    return (negative ? -value : value) & 0xFF;
}

}  // namespace

wxString Comport::KonvertHex(wxString text) {
    const std::wstring in = text.ToStdWstring();
    if (in.size() < 4) return text;
    std::wstring out;
    out.reserve(in.size());
    size_t i = 0;
    // One pass: a replaced group is never looked at again, and the scan goes on after it.
    for (; i + 3 < in.size(); ++i) {
        if (in[i] == L'[' && in[i + 3] == L']') {
            out.push_back(static_cast<wchar_t>(BracketValue(in[i + 1], in[i + 2])));
            i += 3;
        } else {
            out.push_back(in[i]);
        }
    }
    out.append(in, i, std::wstring::npos);
    return wxString(out);
}
