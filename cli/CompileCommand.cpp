#include "cli/CompileCommand.h"

#include "compiler/Compiler.h"
#include "compiler/Disassembler.h"
#include "compiler/Report.h"
#include "compiler/ScriptText.h"

#include <wx/file.h>
#include <wx/filename.h>
#include <wx/log.h>

#include <cstdio>

namespace {

void Print(FILE* stream, const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    fwrite(utf8.data(), 1, utf8.length(), stream);
}

Compiler& TheCompiler() {
    static Compiler compiler;
    return compiler;
}

}  // namespace

void PrintCompileErrors(const std::string& file) {
    for (const ErrorRow& row : report::ErrorRows()) {
        if (row.line == report::kBalanceLine)
            Print(stderr, wxString::Format("%s: error: %s\n", wxString::FromUTF8(file.c_str()), row.text));
        else
            Print(stderr, wxString::Format("%s:%d: error: %s\n", wxString::FromUTF8(file.c_str()), row.line, row.text));
    }
}

bool CompileScriptFile(const std::string& path, std::string& problem) {
    const wxString wxPath = wxString::FromUTF8(path.c_str());
    std::string bytes;
    switch (script::ReadFile(wxPath, bytes, script::kMaxScriptBytes)) {
        case script::ReadResult::Missing:
            problem = "no such file";
            return false;
        case script::ReadResult::Unreadable:
            problem = "cannot be read";
            return false;
        case script::ReadResult::TooLarge:
            problem = "larger than 64 MB, not a script";
            return false;
        case script::ReadResult::Ok:
            break;
    }
    wxFileName name(wxPath);
    name.MakeAbsolute();
    data.sourcePath = name.GetFullPath();
    data.sourceDir = name.GetPath();
    TheCompiler().CompileLatin1(script::ToLatin1(bytes));
    return true;
}

int RunCompileCommand(const std::vector<std::string>& args) {
    std::string file, imagePath;
    bool listing = false, json = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o") {
            if (++i >= args.size()) {
                fprintf(stderr, "tqc-cli compile: -o needs a file name\n");
                return 2;
            }
            imagePath = args[i];
        } else if (a == "--listing") {
            listing = true;
        } else if (a == "--json") {
            json = true;
        } else if (!a.empty() && a[0] == '-') {
            fprintf(stderr, "tqc-cli compile: unknown option %s\n", a.c_str());
            return 2;
        } else if (file.empty()) {
            file = a;
        } else {
            fprintf(stderr, "tqc-cli compile: only one script can be compiled at a time (%s)\n", a.c_str());
            return 2;
        }
    }
    if (file.empty()) {
        fprintf(stderr, "usage: tqc-cli compile FILE.tqc [-o IMAGE] [--listing] [--json]\n");
        return 2;
    }
    if (listing && json) {
        fprintf(stderr, "tqc-cli compile: --listing and --json cannot be combined\n");
        return 2;
    }
    std::string problem;
    if (!CompileScriptFile(file, problem)) {
        fprintf(stderr, "tqc-cli compile: %s: %s\n", file.c_str(), problem.c_str());
        return 2;
    }

    PrintCompileErrors(file);
    const wxString tooLarge = ImageTooLargeText(data.outputCount);
    if (data.errorCount == 0 && !tooLarge.empty())
        Print(stderr, wxString::Format("%s: warning: %s\n", wxString::FromUTF8(file.c_str()), tooLarge));
    if (json) {
        const std::string text = report::Json();
        fwrite(text.data(), 1, text.size(), stdout);
    } else {
        if (listing)
            report::WriteListing(TheCompiler(),
                                 [](const std::string& row) { fwrite(row.data(), 1, row.size(), stdout); });
        const wxArrayString status = TheCompiler().StatusTexts();
        wxString line;
        for (size_t i = 0; i < status.size(); ++i) line += (i ? "  " : "") + status[i];
        Print(stdout, line + "\n");
    }

    if (!imagePath.empty()) {
        if (data.errorCount > 0) {
            fprintf(stderr, "tqc-cli compile: %s not written: the script has errors\n", imagePath.c_str());
        } else {
            std::string image(static_cast<size_t>(data.outputCount), '\0');
            for (int i = 0; i < data.outputCount; ++i) image[i] = static_cast<char>(data.outputValue[i] & 0xFF);
            // wxFile, not a narrow stream: on Windows a narrow path loses what the code page lacks.
            wxLogNull quiet;
            wxFile out;
            if (!out.Create(wxString::FromUTF8(imagePath.c_str()), true) ||
                out.Write(image.data(), image.size()) != image.size() || !out.Close()) {
                fprintf(stderr, "tqc-cli compile: %s cannot be written\n", imagePath.c_str());
                return 2;
            }
        }
    }
    return data.errorCount > 0 ? 1 : 0;
}

int RunDisasmCommand(const std::vector<std::string>& args) {
    if (args.size() != 1 || (!args[0].empty() && args[0][0] == '-')) {
        fprintf(stderr, "usage: tqc-cli disasm IMAGE   (a raw image as compile -o writes it)\n");
        return 2;
    }
    std::string bytes;
    const char* problem = nullptr;
    switch (script::ReadFile(wxString::FromUTF8(args[0].c_str()), bytes, kImageCells + 1)) {
        case script::ReadResult::Missing:
            problem = "no such file";
            break;
        case script::ReadResult::Unreadable:
            problem = "cannot be read";
            break;
        case script::ReadResult::TooLarge:
            problem = "larger than an image can be";
            break;
        case script::ReadResult::Ok:
            break;
    }
    if (!problem && bytes.size() > static_cast<size_t>(kImageCells)) problem = "larger than an image can be";
    if (problem) {
        fprintf(stderr, "tqc-cli disasm: %s: %s\n", args[0].c_str(), problem);
        return 2;
    }
    std::vector<int> cells(bytes.begin(), bytes.end());
    for (int& c : cells) c &= 0xFF;
    bool allKnown = true;
    for (const DecodedCommand& d : Disassemble(cells.data(), static_cast<int>(cells.size()))) {
        wxString hex;
        for (int i = 0; i < d.length; ++i) hex += wxString::Format(" %02X", cells[d.address + i]);
        Print(stdout, wxString::Format("%05d %s  %s\n", d.address, hex.Mid(1), d.text));
        allKnown = allKnown && d.known;
    }
    return allKnown ? 0 : 1;
}
