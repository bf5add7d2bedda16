// tqc-cli lsp: the Language Server Protocol over stdin and stdout, so that other editors show
// the same errors, completions, hover texts and declarations as TqC's own editor.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

int RunLspCommand(const std::vector<std::string>& args);
// The server loop on any pair of streams; the exit status the protocol asks for.
int ServeLsp(std::istream& in, std::ostream& out);
