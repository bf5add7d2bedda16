// Turns a program image back into commands, driven by the command table's rows: each row's
// opcodes say which command and form a cell starts, its shape's layout how the cells that
// follow read.
#pragma once

#include <wx/string.h>

#include <vector>

struct DecodedCommand {
    int address = 0;     // image position of the opcode
    int length = 1;      // cells, the opcode included
    wxString text;       // as the command is written, e.g. "jump 0x002E"
    bool known = false;  // false: no row has this opcode, or the image ends inside the command
};

// The command that starts at `position` of `cells` (byte values; `count` cells in all).
DecodedCommand DecodeCommand(const int* cells, int count, int position);
// The whole image, command after command.
std::vector<DecodedCommand> Disassemble(const int* cells, int count);
