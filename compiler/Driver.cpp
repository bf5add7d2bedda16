// The compile run: reset, lines and includes, defines, tokens, marks, dispatch, balance, resolve.
#include "compiler/Compiler.h"
#include "compiler/ScriptText.h"
#include "settings/Datei.h"

#include <wx/filename.h>

#include <unordered_map>

namespace {

constexpr size_t kMaxIncludeBytes = 16u << 20;  // far beyond any script; keeps a stray include of a big file cheap

}  // namespace

void Compiler::CompileLines(const wxArrayString& editorLines) {
    Reset();
    ReadEditorLines(editorLines);
    if (data.lineCount > 0) {
        CollectDefines();
        SubstituteDefines();
        for (int i = 0; i < data.lineCount; ++i) Tokenize(i);
        CollectMarks();
        Dispatch();
    }
    CheckBalance();
    ResolveJumps();
}

void Compiler::Reset() {
    if (data.keywordList.IsEmpty()) Datei::SetKeywords();
    data.maxIoNumber = 1023;
    data.maxBusNumber = 50;
    data.variableCount = 0;
    data.maxVariables = 255;
    data.stringCount = 0;
    data.maxStrings = 20;
    data.maxStringMemory = 1000;
    data.stringMemoryUsed = 0;
    for (BlockStack Data::*stack : {&Data::pushStack, &Data::releaseStack, &Data::pressStack, &Data::ifStack,
                                    &Data::elseStack, &Data::countStack})
    {
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
    for (wxString& text : data.errorText) text.clear();
    data.jumpMarkCount = 0;
    for (int i = 0; i < kMaxMarks; ++i) {
        data.jumpMarkName[i].clear();
        data.jumpMarkAddress[i] = 0;
    }
    data.defineCount = 0;
    for (int i = 0; i < kMaxDefines; ++i) {
        data.defineName[i] = kUnusedDefineName;
        data.defineValue[i].clear();
    }
    for (int i = 0; i < kMaxLines; ++i) data.lineOrigin[i] = 0;
    data.outputCount = 0;
    std::fill(std::begin(data.outputValue), std::end(data.outputValue), 0);
    std::fill(std::begin(data.outputLine), std::end(data.outputLine), 0);
    data.variableIndex.clear();
    data.stringIndex.clear();
    data.markIndex.clear();
    data.defineIndex.clear();
    data.lineCount = 0;
    sourceLines_.clear();
    refused_.clear();
    linesFull_ = false;
}

bool Compiler::StoreLine(const wxString& text, int editorLine) {
    if (linesFull_) return false;
    const int index = static_cast<int>(sourceLines_.size());
    if (index == kMaxLines) {
        // The spare line slot carries the overflow error to the editor line that caused it.
        sourceLines_.push_back(wxString());
        refused_.push_back(1);
        data.lineOrigin[index] = editorLine;
        ErrorDirect(index, msg::TooManyLines);
        linesFull_ = true;
        return false;
    }
    sourceLines_.push_back(text);
    refused_.push_back(0);
    data.lineOrigin[index] = editorLine;
    return true;
}

void Compiler::ReadEditorLines(const wxArrayString& editorLines) {
    sourceLines_.reserve(std::min<size_t>(editorLines.size(), kMaxLines + 1));
    for (size_t n = 0; n < editorLines.size() && !linesFull_; ++n) {
        wxString raw = editorLines[n];
        while (!raw.empty() && (raw.Last() == '\r' || raw.Last() == '\n')) raw.RemoveLast();
        const wxString formatted = FormatText(raw);
        if (formatted.empty()) continue;
        const int editorLine = static_cast<int>(n) + 1;
        if (formatted.find(wxS("#include")) != wxString::npos)
            ExpandInclude(editorLine, formatted);
        else
            StoreLine(formatted, editorLine);
    }
    data.lineCount = static_cast<int>(sourceLines_.size());
}

void Compiler::ExpandInclude(int editorLine, const wxString& formatted) {
    const size_t first = formatted.find('"');
    const size_t last = formatted.rfind('"');
    auto storeWithError = [&](const wchar_t* text) {
        if (StoreLine(formatted, editorLine)) ErrorDirect(static_cast<int>(sourceLines_.size()) - 1, text);
    };
    if (first == wxString::npos || last <= first + 1) return storeWithError(msg::IncludeQuotes);

    const wxString path = data.sourceDir + wxFILE_SEP_PATH + formatted.substr(first + 1, last - first - 1);
    std::string bytes;
    switch (script::ReadFile(path, bytes, kMaxIncludeBytes)) {
        case script::ReadResult::Missing: return storeWithError(msg::IncludeMissing);
        case script::ReadResult::Unreadable: return storeWithError(msg::IncludeUnreadable);
        case script::ReadResult::TooLarge: return storeWithError(msg::IncludeTooLarge);
        case script::ReadResult::Ok: break;
    }
    // A line needs more than one character to count; the text after the last line end
    // counts whenever it is not empty.
    const wxArrayString lines = script::SplitLines(script::Decode(bytes));
    for (size_t n = 0; n < lines.size(); ++n) {
        const wxString text = FormatText(lines[n]);
        const size_t least = n + 1 == lines.size() ? 1 : 2;
        if (text.length() >= least && !StoreLine(text, editorLine)) return;
    }
}

void Compiler::CollectDefines() {
    for (int i = 0; i < data.lineCount; ++i) {
        const wxString& text = sourceLines_[i];
        if (refused_[i] || !text.StartsWith(wxS("#define"))) continue;
        const size_t f4 = text.find(wxUniChar(4));
        const size_t f3 = text.find(wxUniChar(3));
        const long p4 = f4 == wxString::npos ? -1 : static_cast<long>(f4);
        const long p3 = f3 == wxString::npos ? -1 : static_cast<long>(f3);
        if (p4 + 2 >= p3) {
            ErrorDirect(i, msg::DefineLineError);
            continue;
        }
        const wxString name = text.substr(p4 + 1, p3 - p4 - 1);
        bool badChar = false;
        for (size_t c = 1; c < name.length() && c <= 200 && !badChar; ++c)
            badChar = !IsIdentifierChar(name[c]);
        if (badChar) {
            SetError(i, msg::BadIdentifierChar);
        } else if (name[0] != ';') {
            SetError(i, msg::SemicolonMissing);
        } else if (Data::Find(data.defineIndex, name) >= 0) {
            SetError(i, msg::DefineExists);
        } else if (data.defineCount >= kMaxDefines) {
            ErrorDirect(i, msg::TooManyDefines);
        } else {
            data.AddDefine(name, text.substr(p3 + 1, 100));
        }
    }
}

void Compiler::CollectMarks() {
    for (int i = 0; i < data.lineCount; ++i) {
        if (!Is(i, 0, L':') || !Is(i, 1, L':')) continue;
        const wxString& name = Tok(i, 2);
        if (ReadJumpMarkeName(name) != -1) {
            ErrorDirect(i, msg::MarkExists);
        } else if (data.jumpMarkCount >= kMaxMarks) {
            refused_[i] = 1;
            ErrorDirect(i, msg::TooManyMarks);
        } else {
            data.AddJumpMark(name);
        }
    }
}

void Compiler::Dispatch() {
    for (int i = 0; i < data.lineCount; ++i) {
        if (refused_[i] || Tok(i, 0).empty()) continue;
        if (Is(i, 0, L':') && Is(i, 1, L':')) {
            Z_jumpmarke_set(i);
        } else if (const CommandRow* row = FindCommand(Tok(i, 0))) {
            (this->*row->shape)(i, *row);
        } else {
            Shorthand(i);
        }
    }
}

void Compiler::Shorthand(int line) {
    if (!Is(line, 1, L'=')) return ErrorDirect(line, msg::LineError);
    const wxString word = Tok(line, 0);
    const CommandRow* row = nullptr;
    if (ReadVariable(word) >= 0)
        row = &kCommandTable[static_cast<int>(Has(line, 4) ? Cmd::calc : Cmd::setvar)];
    else if (ReadString(word) >= 0)
        row = &kCommandTable[static_cast<int>(Cmd::setstr)];
    else
        return ErrorDirect(line, msg::LineError);
    wxString* slot = data.token[line];
    for (int k = 11; k >= 1; --k) slot[k] = slot[k - 1];
    slot[0] = row->word;
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

void Compiler::ResolveJumps() {
    for (int p = 0; p < data.outputCount; ++p) {
        int& cell = data.outputValue[p];
        switch (cell) {
            case 90061: cell = 0x15; continue;
            case 90018: cell = 0x12; break;
            case 90021: cell = 0x15; break;
            case 90130: cell = 0x82; break;
            default: continue;
        }
        if (p + 2 >= data.outputCount) continue;  // cut off by a full image
        const int mark = data.outputValue[p + 1] * 256 + data.outputValue[p + 2];
        if (mark < 0 || mark >= data.jumpMarkCount) continue;
        PatchAddress(p + 1, data.jumpMarkAddress[mark]);
    }
}

void Compiler::PatchAddress(int position, int address) {
    if (position < 0 || position + 1 >= data.outputCount) return;
    data.outputValue[position] = address / 256;
    data.outputValue[position + 1] = address % 256;
}

CompileSummary Compiler::Summary() const {
    CompileSummary summary;
    wxArrayString names;
    for (int i = 0; i < data.variableCount; ++i) names.Add(data.variableName[i]);
    for (int i = 0; i < data.stringCount; ++i) names.Add(data.stringName[i]);
    for (int i = 0; i < data.defineCount; ++i) names.Add(data.defineName[i].Mid(1, 200));
    for (int i = 0; i < data.jumpMarkCount; ++i) names.Add(data.jumpMarkName[i]);
    summary.userKeywords = wxJoin(names, ' ', 0);
    summary.statusTexts.Add(wxString::Format("defvar: %d / %d", data.variableCount, data.maxVariables));
    summary.statusTexts.Add(wxString::Format("defstr: %d / %d", data.stringCount, data.maxStrings));
    summary.statusTexts.Add(
        wxString::Format("Speicher defstr: %d / %d", data.stringMemoryUsed, data.maxStringMemory));
    summary.statusTexts.Add(wxString::Format("Speicher Programm: %d / %d", data.outputCount, kProgramMemory));
    return summary;
}

const CommandRow kCommandTable[] = {
#define TQC_ROW(id, word, handler, shape, o0, o1, o2, o3, lo, hi, sep, stack, flags, message) \
    {word, &Compiler::shape, {o0, o1, o2, o3}, lo, hi, sep, stack, flags, message},
    TQC_COMMANDS(TQC_ROW)
#undef TQC_ROW
};

#define TQC_DEFINE_HANDLER(id, word, handler, ...) \
    void Compiler::handler(int line) { \
        const CommandRow& row = kCommandTable[static_cast<int>(Cmd::id)]; \
        (this->*row.shape)(line, row); \
    }
TQC_COMMANDS(TQC_DEFINE_HANDLER)
#undef TQC_DEFINE_HANDLER

const CommandRow* Compiler::FindCommand(const wxString& word) {
    static const std::unordered_map<wxString, const CommandRow*, WxStringHash> index = [] {
        std::unordered_map<wxString, const CommandRow*, WxStringHash> map;
        for (const CommandRow& row : kCommandTable) map.emplace(row.word, &row);
        return map;
    }();
    const auto it = index.find(word);
    return it == index.end() ? nullptr : it->second;
}
