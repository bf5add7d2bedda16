// Columns as the protocol counts them: UTF-16 code units, while the server keeps UTF-8 text.
#pragma once

#include <cstddef>
#include <string_view>

namespace lsp {

// The UTF-16 length of UTF-8 text (a stray byte counts as one unit, as a decoder replaces it).
size_t Utf16Length(std::string_view utf8);

// The byte offset of UTF-16 column `units` in a line; false beyond the line's end. A column
// inside a surrogate pair means the character's start.
bool ByteOfColumn(std::string_view line, size_t units, size_t& byte);

}  // namespace lsp
