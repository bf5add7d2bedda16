// Bytes as upper-case hex cells, each followed by a blank, so that a mismatch shows where.
#pragma once

#include <cstdio>
#include <string>

template <class Sequence>
std::string HexBytes(const Sequence& bytes) {
    std::string out;
    char cell[4];
    for (unsigned char b : bytes) out.append(cell, std::snprintf(cell, sizeof cell, "%02X ", b));
    return out;
}
