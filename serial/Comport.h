// The serial port, and the bracket notation for raw bytes ("[0D]" stands for the byte 13).
#pragma once

#include <wx/string.h>

class Comport {
public:
    // Replaces every group of '[', two hexadecimal digits and ']' by the character with that code.
    static wxString KonvertHex(wxString text);
};

extern Comport comport;
