// libFuzzer target: arbitrary bytes as a script, through the whole compile driver.
//
// Every input is compiled in two settings:
//  1. the whole input as the script, with no include file beside it (an #include of
//     "inc.tqc" then reports the missing file);
//  2. the input split at the first kSeparator: the part before it is the script, the part
//     after it is written as "inc.tqc" into the script's directory, so `#include "inc.tqc"`
//     pulls it in. Without a separator the whole input serves as both script and include file.
// In each setting the script is compiled twice as the editor and tqc-cli hand it over
// (ISO-8859-1 bytes, CompileLatin1), the first time with every report built in between. Both
// must leave the same result: the JSON report of the two runs is compared, and a difference
// aborts with both texts around the first differing character.
// The first run also builds the other report texts (error rows, listing, keywords, status).
#include "compiler/Compiler.h"
#include "compiler/Report.h"
#include "compiler/ScriptText.h"

#include <wx/init.h>
#include <wx/log.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// A comment line for the compiler, so the first setting reads the joined text as one script.
constexpr char kSeparator[] = "\n//--inc.tqc--\n";
constexpr char kIncludeName[] = "inc.tqc";

std::string g_dir;
std::string g_includePath;

void WriteInclude(const std::string& bytes) {
    FILE* f = fopen(g_includePath.c_str(), "wb");
    if (!f) {
        perror(g_includePath.c_str());
        abort();  // the target cannot do its job; better loud than a silent half-run
    }
    if (!bytes.empty() && fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        perror(g_includePath.c_str());
        abort();
    }
    fclose(f);
}

std::string CompileAsEditorLines(const std::string& scriptBytes, bool withReports) {
    Compiler compiler;
    compiler.CompileLatin1(script::ToLatin1(scriptBytes));
    if (withReports) {
        const wxString keywords = compiler.UserKeywords();
        const wxArrayString status = compiler.StatusTexts();
        const std::vector<ErrorRow> rows = report::ErrorRows();
        size_t listing = 0;
        report::WriteListing(compiler, [&listing](const std::string& row) { listing += row.size(); });
        // Keep the results observable so nothing above is optimised away.
        volatile size_t sink = keywords.length() + status.size() + rows.size() + listing;
        (void)sink;
    }
    return report::Json();
}

std::string CompileAsFile(const std::string& scriptBytes) {
    Compiler compiler;
    compiler.CompileLatin1(script::ToLatin1(scriptBytes));
    return report::Json();
}

void CheckSame(const std::string& editor, const std::string& file, const char* setting) {
    if (editor == file) return;
    const size_t n = std::min(editor.size(), file.size());
    size_t at = 0;
    while (at < n && editor[at] == file[at]) ++at;
    const size_t from = at > 200 ? at - 200 : 0;
    fprintf(stderr,
            "tqc_fuzz_compile: %s: two compiles of the same script disagree at JSON offset %zu\n"
            "  editor lines: ...%s...\n"
            "  file bytes:   ...%s...\n",
            setting, at, editor.substr(from, 400).c_str(), file.substr(from, 400).c_str());
    abort();
}

void CompileBoth(const std::string& scriptBytes, bool withReports, const char* setting) {
    const std::string editor = CompileAsEditorLines(scriptBytes, withReports);
    const std::string file = CompileAsFile(scriptBytes);
    CheckSame(editor, file, setting);
}

void RemoveDir() {
    unlink(g_includePath.c_str());
    rmdir(g_dir.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static wxInitializer init;
    if (!init.IsOk()) {
        fprintf(stderr, "tqc_fuzz_compile: cannot initialise wxBase\n");
        abort();
    }
    wxLog::EnableLogging(false);  // a wx log line per input would only slow the run

    const char* tmp = getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tqc-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) {
        perror("tqc_fuzz_compile: mkdtemp");
        abort();
    }
    g_dir = pattern;
    g_includePath = g_dir + "/" + kIncludeName;
    atexit(RemoveDir);

    data.sourceDir = wxString::FromUTF8(g_dir.c_str());
    data.sourcePath = data.sourceDir + "/fuzz.tqc";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string input(reinterpret_cast<const char*>(bytes), size);

    unlink(g_includePath.c_str());
    CompileBoth(input, true, "without include file");

    const size_t cut = input.find(kSeparator);
    if (cut == std::string::npos) {
        WriteInclude(input);
        CompileBoth(input, false, "with include file");
    } else {
        WriteInclude(input.substr(cut + sizeof kSeparator - 1));
        CompileBoth(input.substr(0, cut), false, "with include file");
    }
    return 0;
}
