#include "serial/Comport.h"

#include "compiler/CNumber.h"

#include <string>

Comport comport;

namespace {

// The two characters between the brackets, read as strtol reads base 16; a negative value keeps
// its low byte, as a char conversion of it would.
int BracketValue(wchar_t a, wchar_t b) {
    const wchar_t s[2] = {a, b};
    return cnum::Read(s, 0, 2, 16) & 0xFF;
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
