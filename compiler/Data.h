// The one store of every compiler table, the program image and the settings.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <memory>
#include <new>
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
constexpr int kBalanceSlotFirst = 99990;  // five block-balance texts, press..count
constexpr const wchar_t* kUnusedDefineName = L"-,,..,,..-";

struct BlockStack {
    int depth;
    int slot[kStackSlots];
};

// One token of an expanded line: a view of characters kept by the compile's token store.
// Trivially constructible, so the 31002 x 16 table costs nothing until a compile fills it.
class TokenText {
public:
    static TokenText Of(const wchar_t* chars, size_t length);
    TokenText& operator=(const wxString& text);  // copies the characters into the token store
    TokenText& operator=(const char* text) { return *this = wxString(text); }

    void clear() { chars_ = nullptr, length_ = 0; }
    bool empty() const { return length_ == 0; }
    size_t length() const { return length_; }
    wchar_t operator[](size_t i) const { return chars_[i]; }
    const wchar_t* data() const { return chars_; }
    std::wstring_view view() const { return {chars_, length_}; }
    bool Is(wchar_t c) const { return length_ == 1 && chars_[0] == c; }
    wxString ToString() const { return length_ ? wxString(chars_, length_) : wxString(); }
    operator wxString() const { return ToString(); }

private:
    const wchar_t* chars_;
    size_t length_;
};

// Keeps token characters for the lifetime of a compile in large blocks, so that the views
// above stay valid however many tokens are added.
class TokenStore {
public:
    const wchar_t* Copy(const wchar_t* chars, size_t length);
    void Clear();

private:
    std::vector<std::unique_ptr<wchar_t[]>> blocks_;
    size_t used_ = 0;       // characters used in the last block
    size_t capacity_ = 0;   // characters in the last block
};

// An array of strings whose elements are built in chunks on first use: the error texts are
// indexed up to 99994, yet a compile touches only the few chunks it writes.
template <size_t N, size_t Chunk = 512>
class LazyStrings {
public:
    wxString& operator[](size_t i) {
        const size_t chunk = i / Chunk;
        if (!built_[chunk]) Build(chunk);
        return reinterpret_cast<wxString*>(storage_)[i];
    }
    void ClearAll() {
        for (size_t c = 0; c < kChunks; ++c)
            if (built_[c])
                for (size_t i = c * Chunk; i < (c + 1) * Chunk && i < N; ++i) reinterpret_cast<wxString*>(storage_)[i].clear();
    }
    ~LazyStrings() {
        for (size_t c = 0; c < kChunks; ++c)
            if (built_[c])
                for (size_t i = c * Chunk; i < (c + 1) * Chunk && i < N; ++i) reinterpret_cast<wxString*>(storage_)[i].~wxString();
    }
    static constexpr size_t size() { return N; }

private:
    static constexpr size_t kChunks = (N + Chunk - 1) / Chunk;
    void Build(size_t chunk) {
        for (size_t i = chunk * Chunk; i < (chunk + 1) * Chunk && i < N; ++i) new (storage_ + i * sizeof(wxString)) wxString();
        built_[chunk] = true;
    }
    alignas(wxString) unsigned char storage_[N * sizeof(wxString)];
    bool built_[kChunks];
};

// Hash index beside a name table: maps a name to the first index holding it, so lookups keep
// the "first equal entry" meaning without scanning thousands of entries.
class NameIndex {
public:
    void Clear();
    // names[index] must stay unchanged while it is indexed.
    void Add(const wxString* names, int index);
    int Find(std::wstring_view name) const;

private:
    static size_t Hash(std::wstring_view name);
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
    LazyStrings<kImageCells> errorText;
    TokenText token[kLineSlots][kTokenSlots];
    TokenStore tokenStore;

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
    static int Find(const NameIndex& index, const wxString& name) { return index.Find({name.wc_str(), name.length()}); }
};

extern Data data;
