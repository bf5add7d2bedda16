// The characters of a name, defined once for the compiler's checks, the editor's words and the
// language service's: letters, digits, '_' and the German umlauts with ß.
#pragma once

#include <wx/string.h>

namespace names {

inline bool IsNameChar(unsigned long c) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_') return true;
    switch (c) {
        case 0xE4:
        case 0xF6:
        case 0xFC:
        case 0xC4:
        case 0xD6:
        case 0xDC:
        case 0xDF:  // äöüÄÖÜß
            return true;
        default:
            return false;
    }
}

// One word for a double click, the completion and the language service: a name, and with it the
// characters that make a directive (#define), a define use (;NAME) and a mark line (::NAME).
inline bool IsWordChar(unsigned long c) { return IsNameChar(c) || c == '#' || c == ';' || c == ':'; }

// Every word character, as the editor's SetWordChars takes them.
inline wxString WordChars() {
    wxString chars;
    for (unsigned long c = 1; c < 256; ++c)
        if (IsWordChar(c)) chars += wxUniChar(c);
    return chars;
}

}  // namespace names
