// What the editor does to indentation and comments while typing, without any window: the part a
// line's first word plays in a block, taken from the compiler's command table, and the comment
// toggle of a group of lines.
#pragma once

#include <wx/string.h>

#include <vector>

namespace indent {

// The indentation step Return and Tab add.
constexpr int kUnit = 2;

// Opens: if, count, push, press, release. Middle: else. Closes: the end words.
enum class Role { None, Opens, Middle, Closes };
Role RoleOf(const wxString& line);

// The lines with "// " put in front (at the least indentation among them), or taken away when
// every line that holds text is a comment already. Empty lines stay as they are.
std::vector<wxString> ToggleComment(const std::vector<wxString>& lines);

}  // namespace indent
