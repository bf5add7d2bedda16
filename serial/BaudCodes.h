// The line speeds that termios has a constant for, in one table used both ways: the port sets a
// rate by its constant, the simulated devices tell the rate a port was set to from the constant.
// POSIX only.
#pragma once

#ifndef _WIN32

#include <termios.h>

namespace baud {

// The constant for `bitsPerSecond`; false when this platform has none.
bool Code(int bitsPerSecond, speed_t* code);
// The rate `code` stands for; 0 for a constant not in the table.
int Rate(speed_t code);

}  // namespace baud

#endif  // _WIN32
