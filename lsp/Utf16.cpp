#include "lsp/Utf16.h"

namespace lsp {
namespace {

// Bytes of the UTF-8 sequence starting with `lead`, and its UTF-16 units.
void Sequence(unsigned char lead, size_t& bytes, size_t& units) {
    bytes = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    units = bytes == 4 ? 2 : 1;
}

}  // namespace

size_t Utf16Length(std::string_view utf8) {
    size_t units = 0;
    for (size_t i = 0; i < utf8.size();) {
        size_t bytes, n;
        Sequence(static_cast<unsigned char>(utf8[i]), bytes, n);
        i += bytes;
        units += n;
    }
    return units;
}

bool ByteOfColumn(std::string_view line, size_t units, size_t& byte) {
    size_t counted = 0, i = 0;
    while (i < line.size() && counted < units) {
        size_t bytes, n;
        Sequence(static_cast<unsigned char>(line[i]), bytes, n);
        if (counted + n > units) break;  // inside a surrogate pair
        counted += n;
        i += bytes;
    }
    byte = i < line.size() ? i : line.size();
    return counted == units || (i < line.size() && counted + 1 == units);
}

}  // namespace lsp
