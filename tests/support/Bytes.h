// Bytes for tests: shown as hex cells, and a module's record as the line carries it.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// Upper-case hex cells, each followed by a blank, so that a mismatch shows where.
template <class Sequence>
std::string HexBytes(const Sequence& bytes) {
    std::string out;
    char cell[4];
    for (unsigned char b : bytes) out.append(cell, std::snprintf(cell, sizeof cell, "%02X ", b));
    return out;
}

// The 120 record bytes of the rows given as {key, LED}, each number high byte first; the rest zero.
inline std::string ModuleRecord(const std::vector<std::pair<int, int>>& rows) {
    std::string bytes;
    for (const auto& row : rows)
        for (int n : {row.first, row.second}) bytes += {static_cast<char>(n >> 8), static_cast<char>(n)};
    bytes.resize(120, '\0');
    return bytes;
}
