// The one store of every compiler table, the program image and the settings.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

#include <unordered_map>

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

// Hash index beside a name table: maps a name to the first index holding it, so
// lookups keep the "first equal entry" meaning without scanning thousands of entries.
struct WxStringHash {
    size_t operator()(const wxString& s) const noexcept;
};
using NameIndex = std::unordered_map<wxString, int, WxStringHash>;

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
    wxString errorText[kImageCells];
    wxString token[kLineSlots][kTokenSlots];

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
    static int Find(const NameIndex& index, const wxString& name);
};

extern Data data;
