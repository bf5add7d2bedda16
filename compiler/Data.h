// The one store of every compiler table, the program image and the settings.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Capacities of the fixed tables; the compile guards each of them.
constexpr int kImageCells = 99999;
constexpr int kMaxLines = 31000;
constexpr int kLineSlots = kMaxLines + 2;
constexpr int kMaxMarks = 5000;
constexpr int kMaxDefines = 2000;
constexpr int kMaxNames = 500;
constexpr int kTokenSlots = 16;
constexpr int kStackSlots = 5002;
constexpr int kMaxBlockDepth = kStackSlots - 1;
constexpr int kProgramMemory = 32000;
constexpr size_t kMaxTextStore = 32u << 20;  // characters of all expanded lines together
constexpr int kBalanceSlotFirst = 99990;     // five block-balance texts, press..count
constexpr const wchar_t* kUnusedDefineName = L"-,,..,,..-";

struct BlockStack {
    int depth;
    int slot[kStackSlots];
};

// Empty while the image fits the controller's program memory; otherwise says by how much it
// does not, for the status bar, the transfer and tqc-cli alike.
wxString ImageTooLargeText(int outputCount);

// ISO-8859-1 bytes as text: every byte is the character of the same code.
wxString FromLatin1(std::string_view bytes);

// The characters of a compile's expanded lines, one after the other; tokens are places in it.
// After normalising no character is above 255, so the store keeps one byte (ISO-8859-1) each.
// Appending may move the characters: keep offsets, not pointers, across an Append.
class TextStore {
public:
    uint32_t Append(const char* chars, size_t length);
    const char* At(uint32_t offset) const { return chars_.data() + offset; }
    size_t size() const { return chars_.size(); }
    void Clear() { chars_.clear(); }
    void Reserve(size_t characters) { chars_.reserve(characters); }

private:
    std::string chars_;
};

// What tokens point into while no compiler holds them.
inline const TextStore kNoTokenText;

// One token of an expanded line: a place in the text store of the compile that made it
// (data.tokenText). Trivially constructible, so the 31002 x 16 table costs nothing until a
// compile fills it.
class TokenText {
public:
    static TokenText Of(uint32_t offset, size_t length);

    void clear() { offset_ = 0, length_ = 0; }
    bool empty() const { return length_ == 0; }
    size_t length() const { return length_; }
    wchar_t operator[](size_t i) const { return static_cast<unsigned char>(bytes()[i]); }
    std::string_view bytes() const;  // valid until the store grows
    bool Is(wchar_t c) const { return length_ == 1 && operator[](0) == c; }
    wxString ToString() const;
    operator wxString() const { return ToString(); }

private:
    uint32_t offset_;
    uint32_t length_;
};

// The error texts of a compile: one per expanded line, and the five block-balance texts at
// kBalanceSlotFirst. Grows to the last line that has one, so a clean compile builds none.
class ErrorTexts {
public:
    wxString& operator[](size_t i) {
        if (IsBalance(i)) return balance_[i - kBalanceSlotFirst];
        if (i >= lines_.size()) lines_.resize(i + 1);
        return lines_[i];
    }
    // The text, or an empty one when none was written; adds nothing.
    const wxString& Peek(size_t i) const {
        static const wxString none;
        return IsBalance(i) ? balance_[i - kBalanceSlotFirst] : i < lines_.size() ? lines_[i] : none;
    }
    void ClearAll() {
        lines_.clear();
        for (wxString& text : balance_) text.clear();
    }

private:
    static bool IsBalance(size_t i) { return i >= kBalanceSlotFirst && i < kBalanceSlotFirst + 5; }
    std::vector<wxString> lines_;
    wxString balance_[5];
};

// Hash index beside a name table: maps a name to the first index holding it, so lookups keep
// the "first equal entry" meaning without scanning thousands of entries.
class NameIndex {
public:
    void Clear();
    // names[index] must stay unchanged while it is indexed.
    void Add(const wxString* names, int index);
    int Find(std::wstring_view name) const { return FindAny(name); }
    int Find(std::string_view latin1) const { return FindAny(latin1); }

private:
    template <typename View>
    int FindAny(View name) const;
    template <typename View>
    static size_t Hash(View name);
    void Grow();
    const wxString* names_ = nullptr;
    std::vector<int> slots_;  // index + 1; 0 marks a free slot
    size_t count_ = 0;
};

struct Data {
    // Program image
    int outputCount;
    int outputValue[kImageCells];
    int outputLine[kImageCells];
    int outputTouched = 0;  // the furthest cell any compile has written; the cells beyond are zero

    // Jump marks
    int jumpMarkCount;
    int jumpMarkAddress[kMaxMarks + 2];
    wxString jumpMarkName[kMaxMarks + 2];

    // Defines
    int defineCount;
    wxString defineName[kMaxDefines + 2];
    wxString defineValue[kMaxDefines + 2];

    // Source lines and errors
    int lineCount;
    int errorCount;
    int lineOrigin[kLineSlots];
    ErrorTexts errorText;
    TokenText token[kLineSlots][kTokenSlots];
    const TextStore* tokenText = &kNoTokenText;  // the store of the compile the tokens belong to (Compiler owns it)

    // I/O and variable limits, variables
    int maxIoNumber;
    int maxBusNumber;
    int variableCount;
    int maxVariables;
    wxString variableName[kMaxNames + 2];

    // Strings
    int stringCount;
    int stringLength[kMaxNames + 2];
    int maxStrings;
    int maxStringMemory;
    int stringMemoryUsed;
    wxString stringName[kMaxNames + 2];

    // Block stacks
    BlockStack pushStack;
    BlockStack releaseStack;
    BlockStack pressStack;
    BlockStack ifStack;
    BlockStack elseStack;
    BlockStack countStack;

    // Settings
    wxString programComport;
    wxString terminalComport;
    int terminalBaud;
    int terminalDataBits;
    int terminalStopBits;
    wxString terminalParity;
    wxString terminalPresets[10][10];
    wxString sourcePath;
    wxString sourceDir;
    wxString programDir;
    int windowPosX;
    int windowPosY;
    int windowWidth;
    int windowHeight;
    wxString keywordString;
    wxArrayString keywordList;
    wxString autoCompFilter;
    int autoCompFilterOn;
    int colorCommands[3];
    int colorText[3];
    int colorVariablen[3];
    int colorPreprozessor[3];
    int colorKommentare[3];
    int colorRest[3];

    // Lookup indexes over the name tables; kept in step by the Add* members.
    NameIndex variableIndex;
    NameIndex stringIndex;
    NameIndex markIndex;
    NameIndex defineIndex;

    int AddVariable(const wxString& name);
    int AddString(const wxString& name, int length);
    int AddJumpMark(const wxString& name);
    int AddDefine(const wxString& name, const wxString& value);
};

extern Data data;

inline std::string_view TokenText::bytes() const { return {data.tokenText->At(offset_), length_}; }
