// A stable code for each of the compiler's messages, so that an editor can tell them apart
// (and a quick fix can know which fault it mends) without comparing German texts.
#pragma once

#include <wx/string.h>

#include <string>

namespace lsp {

// The message constant's name ("VarUndefined"); empty for a text that is none of them.
std::string CodeOf(const wxString& message);

}  // namespace lsp
