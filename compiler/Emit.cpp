// Everything that writes the image: one cell, a word, an operand, a baud rate, a text literal,
// and an address cell pair written now and patched once its target is known (a block's end, or
// a mark's address when the jumps are resolved after the last line).
#include "compiler/Compiler.h"

namespace {

// A word's cells, high first; a negative value in two's complement. An image position beyond
// 65535 keeps its whole high part (such an image is refused by the status bar's memory anyway).
int HighCell(int value) { return (value < 0 ? value + 65536 : value) / 256; }
int LowCell(int value) { return value & 255; }

}  // namespace

void Compiler::WriteOut(int line, int value) {
    if (data.outputCount >= kImageCells) {
        // Report a full image once per line, not once per dropped cell.
        if (line >= 0 && line < kImageCells && data.errorText[line] != msg::ImageFull)
            ErrorDirect(line, msg::ImageFull);
        return;
    }
    data.outputValue[data.outputCount] = value;
    data.outputLine[data.outputCount] = line;
    ++data.outputCount;
}

void Compiler::WriteValue(int line, int value) {
    if (data.outputCount + 2 > kImageCells) {  // the full image's error comes from WriteOut
        WriteOut(line, HighCell(value));
        return WriteOut(line, LowCell(value));
    }
    int* cell = data.outputValue + data.outputCount;
    cell[0] = HighCell(value);
    cell[1] = LowCell(value);
    data.outputLine[data.outputCount] = data.outputLine[data.outputCount + 1] = line;
    data.outputCount += 2;
}

void Compiler::EmitX(int line, const Operand& o, Width width) {
    if (o.isVar) {
        WriteOut(line, o.value);
        if (width == Width::PaddedWord) WriteOut(line, 0);
    } else if (width == Width::Byte) {
        WriteOut(line, o.value);
    } else {
        WriteValue(line, o.value);
    }
}

void Compiler::EmitBaud(int line, int value) {
    WriteOut(line, (value / 65536) & 255);
    WriteOut(line, (value / 256) & 255);
    WriteOut(line, value & 255);
}

void Compiler::EmitLiteral(int line, const wxString& converted) {
    WriteOut(line, static_cast<int>(converted.length()));
    for (wxString::const_iterator it = converted.begin(); it != converted.end(); ++it)
        WriteOut(line, static_cast<int>((*it).GetValue()));
}

void Compiler::EmitAddress(int line) { WriteValue(line, 0); }

void Compiler::PatchAddress(int position, int address) {
    if (position < 0 || position + 1 >= data.outputCount) return;
    data.outputValue[position] = HighCell(address);
    data.outputValue[position + 1] = LowCell(address);
}

void Compiler::ResolveJumps() {
    for (int p = 0; p < data.outputCount; ++p) {
        int& cell = data.outputValue[p];
        const PlaceholderRow* row = nullptr;
        for (const PlaceholderRow& r : kPlaceholders)
            if (cell == r.placeholder) row = &r;
        if (!row) continue;
        cell = row->opcode;
        if (!row->patched) continue;
        if (p + 2 >= data.outputCount) continue;  // cut off by a full image
        const int mark = data.outputValue[p + 1] * 256 + data.outputValue[p + 2];
        if (mark < 0 || mark >= data.jumpMarkCount) continue;
        PatchAddress(p + 1, data.jumpMarkAddress[mark]);
    }
}
