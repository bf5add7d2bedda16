// The configuration a button-panel module holds: a key ("Taster") and an LED number per row.
#pragma once

#include <array>

#include <wx/string.h>

constexpr int kKonfigRows = 20;  // rows read and written; the record's rows 21 to 30 are sent as 0

struct KonfigPair {
    int taster = 0;
    int led = 0;
};

// Numbers of rows 1 to 20 (index 0 is row 1), each 0 to 65535.
using KonfigValues = std::array<KonfigPair, kKonfigRows>;

// Rows 1 to 20 from a module record: 4 bytes per row, key high, key low, LED high, LED low.
inline KonfigValues KonfigFromRecord(const unsigned char* record) {
    KonfigValues values{};
    for (int r = 0; r < kKonfigRows; ++r) {
        const unsigned char* row = record + 4 * r;
        values[r] = {row[0] * 256 + row[1], row[2] * 256 + row[3]};
    }
    return values;
}

// The fields as the user typed them, before they are checked.
struct KonfigTexts {
    std::array<wxString, kKonfigRows> taster;
    std::array<wxString, kKonfigRows> led;
};

// A field that is not a whole number from 0 to 65535.
struct KonfigFieldProblem {
    int row;   // 1 to 20
    bool led;  // false: the key field
    wxString text;
};
