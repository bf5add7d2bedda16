// The compile cases of tests/cases/*.cases: each case is one compile of its script, and every
// line must leave the cells and errors the file gives it (the format is in tests/cases/README.md).
#include "CompileHelpers.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using namespace tqc_test;

const fs::path kCaseDir = fs::path(TQC_SOURCE_DIR) / "tests" / "cases";

// What each of `count` editor lines from `first` on left: its cells, then "!" and its error; "-"
// when nothing. The errors of no such line (block balance) follow as one more item.
std::vector<std::string> Outcome(int first, int count) {
    std::vector<std::string> out(count + 1);
    const auto add = [&](int line, const std::string& item) {
        std::string& s = out[line >= first && line < first + count ? line - first : count];
        s += (s.empty() ? "" : " ") + item;
    };
    for (int i = 0; i < data.outputCount; ++i)
        if (const int line = data.lineOrigin[data.outputLine[i]]; line >= first) add(line, Hex(data.outputValue[i]));
    for (const ErrorRow& row : report::ErrorRows()) add(row.line, "!" + U(row.text));
    for (std::string& s : out) s = s.empty() ? "-" : s;
    if (out.back() == "-") out.pop_back();
    return out;
}

// Compiles `prelude` and `script`, and compares the Outcome of the script's lines, line by line,
// with `expected`, where the most frequent errors may be written short.
void ExpectCompile(const std::vector<std::string>& prelude, const std::vector<std::string>& script,
                   std::vector<std::string> expected) {
    static const char* const kShort[][2] = {{"!range", "Wert ausserhalb des Wertebereich"},
                                            {"!rangeSz", "Wert außerhalb des Wertebereich"},
                                            {"!line", "Fehler in der Zeile"},
                                            {"!many", "zu viele Parameter/falscher Wert"},
                                            {"!missing", "Parameter fehlt"},
                                            {"!wrong", "Parameter falsch"},
                                            {"!novar", "Variable nicht definiert"},
                                            {"!nostr", "String nicht definiert"}};
    std::vector<std::string> all = prelude;
    all.insert(all.end(), script.begin(), script.end());
    Compiler compiler;
    Compile(compiler, all);
    for (std::string& item : expected)
        for (const auto& [key, full] : kShort)
            for (size_t at = item.find(key), end; at != std::string::npos; at = item.find(key, at + 1))
                if (end = at + strlen(key); end == item.size() || item[end] == ' ')
                    item.replace(at + 1, end - at - 1, full);
    const std::vector<std::string> got = Outcome(static_cast<int>(prelude.size()) + 1, static_cast<int>(script.size()));
    for (size_t i = 0; i < std::max(got.size(), expected.size()); ++i)
        EXPECT_EQ(i < got.size() ? got[i] : "<nothing>", i < expected.size() ? expected[i] : "<nothing>")
            << "for " << (i < script.size() ? script[i] : "the errors of no line");
}

// The declarations the command tests start from: the variables n, x, y (numbers 0, 1, 2) and the
// strings s (number 0, length 4) and t (number 1, length 10). They fill image cells 0 to 17.
const std::vector<std::string> kDeclarations = {"defvar n = 0", "defvar x = 0", "defvar y = 0", "defstr s , 4",
                                                "defstr t , 10"};

// \r \n \t \s (a blank) \xHH, and "\" before any other character is that character; {N*X} is X
// N times (in an expectation as N cells separated by blanks) and {} is nothing.
std::string Unescape(const std::string& text, bool cells) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t close = text[i] == '{' ? text.find('}', i) : std::string::npos;
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            if (c == 'x')
                out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
            else
                out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 's' ? ' ' : c;
        } else if (close != std::string::npos) {
            if (const size_t star = text.find('*', i); star < close) {
                const std::string item = text.substr(star + 1, close - star - 1);
                const int n = std::stoi(text.substr(i + 1, star - i - 1));
                for (int k = 0; k < n; ++k) out += (cells && k ? " " : "") + item;
            }
            i = close;
        } else {
            out += text[i];
        }
    }
    return out;
}

struct Case {
    std::string title;
    int line;
    std::vector<std::string> prelude, script, expected;
    std::vector<std::pair<std::string, std::string>> files;
    int lines = -1;
};

bool Directive(const std::string& line, const std::string& name, std::string& rest) {
    if (line.compare(0, name.size(), name) != 0) return false;
    rest = line.substr(name.size());
    return true;
}

std::vector<Case> ReadCases(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<Case> cases;
    int number = 0;
    for (std::string line, rest; std::getline(in, line);) {
        ++number;
        if (line.empty() || line.compare(0, 2, "//") == 0) continue;
        if (Directive(line, "== ", rest)) {
            cases.push_back({rest, number, {}, {}, {}, {}});
            continue;
        }
        if (cases.empty() || cases.back().expected.size() > cases.back().script.size()) {
            ADD_FAILURE_AT(path.c_str(), number) << "a line outside a case, or after its :rest";
            continue;
        }
        Case& c = cases.back();
        if (line == "@declarations") {
            c.prelude.insert(c.prelude.end(), kDeclarations.begin(), kDeclarations.end());
        } else if (Directive(line, "@ ", rest)) {
            c.prelude.push_back(Unescape(rest, false));
        } else if (Directive(line, ":file ", rest)) {
            const size_t blank = rest.find(' ');
            c.files.emplace_back(rest.substr(0, blank),
                                 blank == std::string::npos ? "" : Unescape(rest.substr(blank + 1), false));
        } else if (Directive(line, ":lines ", rest)) {
            c.lines = std::stoi(rest);
        } else if (Directive(line, ":rest ", rest)) {
            c.expected.push_back(Unescape(rest, true));
        } else {
            int times = 1;
            if (Directive(line, ":repeat ", rest)) times = std::stoi(rest), line = rest.substr(rest.find(' ') + 1);
            for (int k = 1; k <= times; ++k) {
                std::string text = line;  // {#}: the number of the repetition, {#+1} the next one
                for (size_t at; (at = text.find("{#+1}")) != std::string::npos;)
                    text.replace(at, 5, std::to_string(k + 1));
                for (size_t at; (at = text.find("{#}")) != std::string::npos;) text.replace(at, 3, std::to_string(k));
                const size_t arrow = text.find(" => ");
                c.script.push_back(Unescape(text.substr(0, arrow), false));
                c.expected.push_back(arrow == std::string::npos ? "-" : Unescape(text.substr(arrow + 4), true));
            }
        }
    }
    return cases;
}

class CaseFile : public testing::TestWithParam<std::string> {};

// The files of a case lie beside the script for its #include lines, and only during that case.
TEST_P(CaseFile, EveryLineLeavesWhatTheFileSays) {
    const fs::path path = kCaseDir / (GetParam() + ".cases");
    const std::vector<Case> cases = ReadCases(path);
    ASSERT_FALSE(cases.empty()) << path;
    const files::TempDir dir;
    data.sourceDir = W(dir.path);
    for (const Case& c : cases) {
        testing::ScopedTrace trace(path.c_str(), c.line, c.title);
        for (const auto& [name, bytes] : c.files) files::Write(dir / name, bytes);
        ExpectCompile(c.prelude, c.script, c.expected);
        EXPECT_EQ(c.lines < 0 ? -1 : data.lineCount, c.lines);
        for (const auto& file : c.files) fs::remove(dir / file.first);
    }
    data.sourceDir.clear();
}

std::vector<std::string> CaseFiles() {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(kCaseDir))
        if (entry.path().extension() == ".cases") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

INSTANTIATE_TEST_SUITE_P(Compile, CaseFile, testing::ValuesIn(CaseFiles()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
