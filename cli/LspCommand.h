// tqc-cli lsp: the Language Server Protocol over stdin and stdout, so that other editors show
// the same errors, completions, hover texts and declarations as TqC's own editor.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace lsp {
class ByteSource;
}

int RunLspCommand(const std::vector<std::string>& args);
// The server loop on any byte source and output stream; the exit status the protocol asks for.
int ServeLsp(lsp::ByteSource& in, std::ostream& out);
