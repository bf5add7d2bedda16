// Numbers read as the C library's strtol reads them, one reader for the compiler's operands, the
// settings file's fields and the bracket notation of sent texts.
#pragma once

#include <climits>
#include <cstddef>

namespace cnum {

// 0-9, then a/A = 10 up to z/Z = 35; 99 for any other character.
inline int DigitValue(unsigned long c) {
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'z') return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'Z') return static_cast<int>(c - 'A' + 10);
    return 99;
}

inline int ClampToInt(long long value) {
    return static_cast<int>(value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : value);
}

// text[pos..end): leading white space, one sign, for base 16 an optional 0x, then digits up to
// the first other character; no digit gives 0. Digits past the int range stop counting, so the
// result is never a wrapped small value: ClampToInt gives the nearest int limit.
template <typename Text>
long long ReadLong(const Text& text, size_t pos, size_t end, int base) {
    auto at = [&text](size_t i) { return static_cast<unsigned long>(text[i]); };
    while (pos < end && (at(pos) == ' ' || (at(pos) >= '\t' && at(pos) <= '\r'))) ++pos;
    bool negative = false;
    if (pos < end && (at(pos) == '+' || at(pos) == '-')) negative = at(pos++) == '-';
    if (base == 16 && pos + 2 < end && at(pos) == '0' && (at(pos + 1) == 'x' || at(pos + 1) == 'X') &&
        DigitValue(at(pos + 2)) < 16)
        pos += 2;
    long long value = 0;
    for (; pos < end && DigitValue(at(pos)) < base; ++pos)
        if (value <= INT_MAX) value = value * base + DigitValue(at(pos));  // stays far inside long long
    return negative ? -value : value;
}

template <typename Text>
int Read(const Text& text, size_t pos, size_t end, int base) {
    return ClampToInt(ReadLong(text, pos, end, base));
}

}  // namespace cnum
