// The compile run: reset, lines and includes, defines, tokens, marks, dispatch, balance, resolve.
#include "compiler/Compiler.h"
#include "compiler/NameChars.h"
#include "compiler/ScriptText.h"

#include <wx/filename.h>

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <iterator>
#include <unordered_map>

void Compiler::CompileLatin1(const std::string& text) {
    Reset();
    ReadEditorLines(script::SplitViews(text.data(), text.size()));
    if (data.lineCount > 0) {
        CollectDefines();
        SubstituteDefines();
        PrefaultTokenRows(data.lineCount);
        for (int i = 0; i < data.lineCount; ++i) Tokenize(i);
        CollectMarks();
        Dispatch();
    }
    CheckBalance();
    ResolveJumps();
    if (data.outputCount > data.outputTouched) data.outputTouched = data.outputCount;
}

Compiler::~Compiler() {
    if (data.tokenText != &text_) return;
    for (int i = 0; i < data.lineCount && i < kLineSlots; ++i)
        for (TokenText& token : data.token[i]) token.clear();
    data.tokenText = &kNoTokenText;
}

// The token rows of a large script are megabytes that are written once each; mapping them in
// one call is much cheaper than taking a page fault for every page.
void Compiler::PrefaultTokenRows(int lines) {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    const uintptr_t page = 4096;
    const uintptr_t begin = reinterpret_cast<uintptr_t>(&data.token[0][0]) & ~(page - 1);
    const uintptr_t end = reinterpret_cast<uintptr_t>(&data.token[lines][0]);
    if (end > begin + 16 * page) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)lines;
#endif
}

void Compiler::Reset() {
    if (data.keywordList.IsEmpty()) SetKeywords(data.keywordList, data.keywordString);
    data.maxIoNumber = kMaxIoNumber;
    data.maxBusNumber = kMaxBusNumber;
    data.variableCount = 0;
    data.maxVariables = kMaxVariables;
    data.stringCount = 0;
    data.maxStrings = kMaxStrings;
    data.maxStringMemory = kMaxStringMemory;
    data.stringMemoryUsed = 0;
    for (BlockStack Data::*stack : {&Data::pushStack, &Data::releaseStack, &Data::pressStack, &Data::ifStack,
                                    &Data::elseStack, &Data::countStack}) {
        // The slots are cleared too, so that a surplus end command reads the same cells every run.
        (data.*stack).depth = 0;
        std::fill(std::begin((data.*stack).slot), std::end((data.*stack).slot), 0);
    }
    for (int i = 0; i < kMaxNames; ++i) {
        data.variableName[i].clear();
        data.stringName[i].clear();
        data.stringLength[i] = 0;
    }
    data.errorCount = 0;
    data.errorText.ClearAll();
    data.jumpMarkCount = 0;
    for (int i = 0; i < kMaxMarks; ++i) {
        data.jumpMarkName[i].clear();
        data.jumpMarkAddress[i] = 0;
    }
    data.defineCount = 0;
    static const wxString unusedDefine(kUnusedDefineName);
    for (int i = 0; i < kMaxDefines; ++i) {
        // Only the entries the last compile used differ from the marker; skip the others' copies.
        if (data.defineName[i] != unusedDefine) data.defineName[i] = unusedDefine;
        data.defineValue[i].clear();
    }
    std::fill(data.lineOrigin, data.lineOrigin + kMaxLines, 0);
    // Cells beyond the furthest any compile of this process reached are still zero.
    data.outputCount = 0;
    std::fill(data.outputValue, data.outputValue + data.outputTouched, 0);
    std::fill(data.outputLine, data.outputLine + data.outputTouched, 0);
    data.variableIndex.Clear();
    data.stringIndex.Clear();
    data.markIndex.Clear();
    data.defineIndex.Clear();
    text_.Clear();
    data.tokenText = &text_;
    data.lineCount = 0;
    lines_.clear();
    refused_.clear();
    lineFile_.clear();
    lineInFile_.clear();
    includeNames_.clear();
    for (std::vector<int>& lines : declaredLine_) lines.clear();
    blocks_.Clear();
    includeLines_.clear();
    linesFull_ = false;
}

bool Compiler::StoreLine(std::string_view text, int editorLine, int includeFile, int includeLine) {
    if (linesFull_) return false;
    const int index = static_cast<int>(lines_.size());
    const bool tooLarge = text_.size() + text.size() > kMaxTextStore;
    if (index == kMaxLines || tooLarge) {
        // An empty, refused line carries the error to the editor line that caused it; the
        // spare slot behind the last line makes room for it.
        lines_.push_back({0, 0});
        refused_.push_back(1);
        lineFile_.push_back(includeFile);
        lineInFile_.push_back(includeFile < 0 ? editorLine : includeLine);
        data.lineOrigin[index] = editorLine;
        ErrorDirect(index, tooLarge ? msg::TextTooLarge : msg::TooManyLines);
        linesFull_ = true;
        return false;
    }
    lines_.push_back({text_.Append(text.data(), text.size()), static_cast<uint32_t>(text.size())});
    refused_.push_back(0);
    lineFile_.push_back(includeFile);
    lineInFile_.push_back(includeFile < 0 ? editorLine : includeLine);
    data.lineOrigin[index] = editorLine;
    return true;
}

void Compiler::ReadEditorLines(const std::vector<std::string_view>& editorLines) {
    lines_.reserve(std::min<size_t>(editorLines.size(), kMaxLines + 1));
    size_t characters = 0;
    for (std::string_view line : editorLines) characters += line.size();
    // Room for the lines, their define expansions and shorthand words: reserved pages that
    // stay unused cost nothing, a store that has to move costs a copy.
    text_.Reserve(std::min(kMaxTextStore, 2 * characters + editorLines.size() * 8 + (1u << 20)));
    std::string formatted;
    for (size_t n = 0; n < editorLines.size() && !linesFull_; ++n) {
        std::string_view raw = editorLines[n];
        while (!raw.empty() && (raw.back() == '\r' || raw.back() == '\n')) raw.remove_suffix(1);
        Normalise(raw.data(), raw.size(), formatted);
        if (formatted.empty()) continue;
        const int editorLine = static_cast<int>(n) + 1;
        if (formatted.find("#include") != std::string::npos)
            ExpandInclude(editorLine, formatted);
        else
            StoreLine(formatted, editorLine);
    }
    data.lineCount = static_cast<int>(lines_.size());
}

script::ReadResult Compiler::ReadInclude(const wxString& path, std::string& bytes) {
    return script::ReadFile(path, bytes, script::kMaxIncludeBytes);
}

void Compiler::ExpandInclude(int editorLine, const std::string& formatted) {
    const size_t first = formatted.find('"');
    const size_t last = formatted.rfind('"');
    auto storeWithError = [&](const wchar_t* text) {
        if (StoreLine(formatted, editorLine)) ErrorDirect(static_cast<int>(lines_.size()) - 1, text);
    };
    if (first == std::string::npos || last <= first + 1) return storeWithError(msg::IncludeQuotes);

    const wxString name = FromLatin1(std::string_view(formatted).substr(first + 1, last - first - 1));
    includeLines_.push_back({editorLine - 1, name});
    const wxString path = data.sourceDir + wxFILE_SEP_PATH + name;
    std::string bytes;
    switch (ReadInclude(path, bytes)) {
        case script::ReadResult::Missing:
            return storeWithError(msg::IncludeMissing);
        case script::ReadResult::Unreadable:
            return storeWithError(msg::IncludeUnreadable);
        case script::ReadResult::TooLarge:
            return storeWithError(msg::IncludeTooLarge);
        case script::ReadResult::Ok:
            break;
    }
    // A line needs more than one character to count; the text after the last line end
    // counts whenever it is not empty.
    const std::string text = script::ToLatin1(bytes);
    const std::vector<std::string_view> lines = script::SplitViews(text.data(), text.size());
    const int file = static_cast<int>(includeNames_.size());
    includeNames_.push_back(name);
    std::string line;
    for (size_t n = 0; n < lines.size(); ++n) {
        Normalise(lines[n].data(), lines[n].size(), line);
        const size_t least = n + 1 == lines.size() ? 1 : 2;
        if (line.size() >= least && !StoreLine(line, editorLine, file, static_cast<int>(n) + 1)) return;
    }
}

void Compiler::CollectDefines() {
    for (int i = 0; i < data.lineCount; ++i) {
        const std::string_view text = LineText(i);
        if (refused_[i] || text.compare(0, 7, "#define") != 0) continue;
        const size_t f4 = text.find('\x04');
        const size_t f3 = text.find('\x03');
        const long p4 = f4 == std::string_view::npos ? -1 : static_cast<long>(f4);
        const long p3 = f3 == std::string_view::npos ? -1 : static_cast<long>(f3);
        if (p4 + 2 >= p3) {
            ErrorDirect(i, msg::DefineLineError);
            continue;
        }
        const std::string_view name(text.data() + p4 + 1, p3 - p4 - 1);
        bool badChar = false;
        for (size_t c = 1; c < name.size() && c <= 200 && !badChar; ++c)
            badChar = !names::IsNameChar(static_cast<unsigned char>(name[c]));
        if (badChar) {
            SetError(i, msg::BadIdentifierChar);
        } else if (name[0] != ';') {
            SetError(i, msg::SemicolonMissing);
        } else if (data.defineIndex.Find(name) >= 0) {
            SetError(i, msg::DefineExists);
        } else if (data.defineCount >= kMaxDefines) {
            ErrorDirect(i, msg::TooManyDefines);
        } else {
            const size_t valueLength = std::min<size_t>(100, text.size() - p3 - 1);
            Declare(NameKind::Define, data.AddDefine(FromLatin1(name), FromLatin1(text.substr(p3 + 1, valueLength))),
                    i);
        }
    }
}

void Compiler::CollectMarks() {
    for (int i = 0; i < data.lineCount; ++i) {
        if (!Is(i, 0, L':') || !Is(i, 1, L':')) continue;
        const TokenText& name = Tok(i, 2);
        if (Mark(i, 2) != -1) {
            ErrorDirect(i, msg::MarkExists);
        } else if (data.jumpMarkCount >= kMaxMarks) {
            refused_[i] = 1;
            ErrorDirect(i, msg::TooManyMarks);
        } else {
            Declare(NameKind::Mark, data.AddJumpMark(name.ToString()), i);
        }
    }
}

void Compiler::Dispatch() {
    for (int i = 0; i < data.lineCount; ++i) {
        if (refused_[i] || Tok(i, 0).empty()) continue;
        if (Is(i, 0, L':') && Is(i, 1, L':')) {
            Z_jumpmarke_set(i);
        } else if (const CommandRow* row = FindCommand(Tok(i, 0).bytes())) {
            if (row->stack)
                TakeBlockWord(i, *row);
            else
                (this->*row->shape)(i, *row);
        } else {
            Shorthand(i);
        }
    }
}

void Compiler::TakeBlockWord(int line, const CommandRow& row) {
    static constexpr BlockStack Data::*kStacks[Blocks::kKinds] = {
        &Data::pressStack, &Data::pushStack, &Data::releaseStack, &Data::ifStack, &Data::countStack};
    const auto kind = static_cast<Blocks::Kind>(std::find(std::begin(kStacks), std::end(kStacks), row.stack) - kStacks);
    const int before = (data.*row.stack).depth, elseBefore = data.elseStack.depth;
    (this->*row.shape)(line, row);
    if (kind == Blocks::kKinds) return;  // a stack that makes no block
    const int after = (data.*row.stack).depth, scriptLine = data.lineOrigin[line] - 1;
    if (row.shape == &Compiler::Else)
        blocks_.Middle(scriptLine, after, data.elseStack.depth < elseBefore);
    else if (after < before)
        blocks_.Closed(kind, scriptLine, before);
    else  // opened at `after`; a refused opening word (no depth change) opens nothing: no partner
        blocks_.Opened(kind, scriptLine, after > before ? after : 0);
}

void Compiler::Shorthand(int line) {
    if (!Is(line, 1, L'=')) return ErrorDirect(line, msg::LineError);
    const CommandRow* row = nullptr;
    if (Var(line, 0) >= 0)
        row = &kCommandTable[static_cast<int>(Has(line, 4) ? Cmd::calc : Cmd::setvar)];
    else if (Str(line, 0) >= 0)
        row = &kCommandTable[static_cast<int>(Cmd::setstr)];
    else
        return ErrorDirect(line, msg::LineError);
    TokenText* slot = data.token[line];
    for (int k = 11; k >= 1; --k) slot[k] = slot[k - 1];
    const std::string word = wxString(row->word).ToStdString();  // command words are ASCII
    slot[0] = TokenText::Of(text_.Append(word.data(), word.size()), word.size());
    (this->*row->shape)(line, *row);
}

void Compiler::CheckBalance() {
    const struct {
        BlockStack Data::*stack;
        const wchar_t* message;
    } checks[] = {{&Data::pressStack, msg::BalancePress},
                  {&Data::pushStack, msg::BalancePush},
                  {&Data::releaseStack, msg::BalanceRelease},
                  {&Data::ifStack, msg::BalanceIf},
                  {&Data::countStack, msg::BalanceCount}};
    int slot = kBalanceSlotFirst;
    for (const auto& check : checks) {
        if ((data.*check.stack).depth > 0) SetError(slot, check.message);
        ++slot;
    }
}

std::vector<wxString> Compiler::ExpandedLines() const {
    std::vector<wxString> lines;
    lines.reserve(lines_.size());
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        const std::string_view text = LineText(i);
        lines.push_back(FromLatin1(text));
    }
    return lines;
}

bool Compiler::FindDeclared(std::wstring_view name, Declared* found) const {
    const struct {
        NameKind kind;
        const NameIndex& index;
    } tables[] = {{NameKind::Variable, data.variableIndex},
                  {NameKind::String, data.stringIndex},
                  {NameKind::Define, data.defineIndex},
                  {NameKind::Mark, data.markIndex}};
    for (const auto& table : tables) {
        const int index = table.index.Find(name);
        const std::vector<int>& lines = declaredLine_[static_cast<int>(table.kind)];
        if (index < 0 || index >= static_cast<int>(lines.size()) || lines[index] < 0) continue;
        *found = {table.kind, index, lines[index]};
        return true;
    }
    return false;
}

int Compiler::DeclaredLine(NameKind kind, int index) const {
    const std::vector<int>& lines = declaredLine_[static_cast<int>(kind)];
    return index >= 0 && index < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(index)] : -1;
}

Compiler::LineSource Compiler::SourceOf(int expandedLine) const {
    if (expandedLine < 0 || expandedLine >= static_cast<int>(lineFile_.size())) return {wxString(), 0};
    const int file = lineFile_[expandedLine];
    return {file < 0 ? wxString() : includeNames_[file], lineInFile_[expandedLine]};
}

wxString Compiler::UserKeywords() const {
    wxString names;
    auto add = [&names](const wxString& name) {
        if (!names.empty()) names += ' ';
        names += name;
    };
    for (int i = 0; i < data.variableCount; ++i) add(data.variableName[i]);
    for (int i = 0; i < data.stringCount; ++i) add(data.stringName[i]);
    for (int i = 0; i < data.defineCount; ++i) add(data.defineName[i].Mid(1, 200));
    for (int i = 0; i < data.jumpMarkCount; ++i) add(data.jumpMarkName[i]);
    return names;
}

namespace {

wxArrayString SummaryTexts(int variables, int maxVariables, int strings, int maxStrings, int memory, int maxMemory,
                           int program) {
    wxArrayString texts;
    texts.Add(wxString::Format("defvar: %d / %d", variables, maxVariables));
    texts.Add(wxString::Format("defstr: %d / %d", strings, maxStrings));
    texts.Add(wxString::Format("Speicher defstr: %d / %d", memory, maxMemory));
    texts.Add(wxString::Format("Speicher Programm: %d / %d", program, kProgramMemory));
    return texts;
}

}  // namespace

wxArrayString Compiler::StatusTexts() const {
    return SummaryTexts(data.variableCount, data.maxVariables, data.stringCount, data.maxStrings, data.stringMemoryUsed,
                        data.maxStringMemory, data.outputCount);
}

namespace {
#define TQC_LAYOUT(shape, f0, f1, f2, f3) const char* const kLayout##shape[4] = {f0, f1, f2, f3};
TQC_SHAPES(TQC_LAYOUT)
#undef TQC_LAYOUT
}  // namespace

const CommandRow kCommandTable[] = {
#define TQC_ROW(id, word, shape, o0, o1, o2, o3, sep, stack, flags, message) \
    {word, &Compiler::shape, kLayout##shape, {o0, o1, o2, o3}, &operands::id, sep, stack, flags, message},
    TQC_COMMANDS(TQC_ROW)
#undef TQC_ROW
};

void Compiler::SetKeywords(wxArrayString& list, wxString& joined) {
    list.Empty();
    list.Add("#define");
    list.Add("#include");
    for (const CommandRow& row : kCommandTable) list.Add(row.word);
    joined = wxJoin(list, ' ', 0);
}

const CommandRow* Compiler::FindCommand(std::string_view word) {
    // The command words are ASCII, so their bytes serve as keys.
    static const std::vector<std::string> words = [] {
        std::vector<std::string> w;
        for (const CommandRow& row : kCommandTable) w.emplace_back(wxString(row.word).ToStdString());
        return w;
    }();
    static const std::unordered_map<std::string_view, const CommandRow*> index = [] {
        std::unordered_map<std::string_view, const CommandRow*> map;
        for (size_t i = 0; i < words.size(); ++i) map.emplace(words[i], &kCommandTable[i]);
        return map;
    }();
    const auto it = index.find(word);
    return it == index.end() ? nullptr : it->second;
}
