// The compiler: turns script lines into the program image held in `data`.
// GUI-free; the main window takes it in as a mixin and shows what it produced.
#pragma once

#include "compiler/Blocks.h"
#include "compiler/Data.h"
#include "compiler/Messages.h"
#include "compiler/ScriptText.h"
#include "compiler/commands/CommandTable.h"

#include <wx/arrstr.h>
#include <wx/string.h>

#include <string>
#include <string_view>
#include <vector>

class Compiler;

constexpr int kEndsAfterText = 1;  // row flag: no token may follow a closing quote

// Cells a jump writes in place of its opcode; the resolve pass, once every mark has its
// address, turns each into its opcode and (except for else) the mark number into the address.
enum JumpPlaceholder : int {
    kRetjumpPlaceholder = 90018,
    kJumpPlaceholder = 90021,
    kElsePlaceholder = 90061,
    kRetjumpTimer1Placeholder = 90130
};
struct PlaceholderRow {
    int placeholder;
    int opcode;
    bool patched;  // the next two cells hold a mark number to replace by its address
};
constexpr PlaceholderRow kPlaceholders[] = {{kRetjumpPlaceholder, 0x12, true},
                                            {kJumpPlaceholder, 0x15, true},
                                            {kElsePlaceholder, 0x15, false},
                                            {kRetjumpTimer1Placeholder, 0x82, true}};

struct CommandRow {
    const wchar_t* word;
    void (Compiler::*shape)(int line, const CommandRow& row);
    const char* const* layout;  // the shape's cell layout per form (CommandTable.h)
    int op[4];
    const OperandList* operands;  // the operands with their limits, and the meaning (CommandTable.h)
    wchar_t sep;
    BlockStack Data::*stack;
    int flags;
    const wchar_t* message;

    const OperandRow& Arg(int i) const { return operands->operand[i]; }
    // Whether a word this command writes reads back as signed: some operand goes below 0.
    bool Signed() const {
        for (const OperandRow& o : operands->operand)
            if (o.lo < 0) return true;
        return false;
    }
};

enum class Cmd {
#define TQC_ENUM(id, ...) id,
    TQC_COMMANDS(TQC_ENUM)
#undef TQC_ENUM
        Count_
};

extern const CommandRow kCommandTable[static_cast<int>(Cmd::Count_)];

class Compiler {
public:
    Compiler() = default;
    Compiler(const Compiler&) = delete;
    Compiler& operator=(const Compiler&) = delete;
    virtual ~Compiler();

    // Runs the whole compile over a script decoded to ISO-8859-1 bytes (script::ToLatin1), split
    // into lines as the editor splits them. Include files are looked up in data.sourceDir.
    void CompileLatin1(const std::string& text);
    // The user's names for the editor's keyword set 1: variables, strings, defines (without
    // their ';'), jump marks, joined by blanks.
    wxString UserKeywords() const;
    // The memory summary for status bar fields 2 to 5.
    wxArrayString StatusTexts() const;
    // The expanded lines of the last compile (after includes and defines).
    std::vector<wxString> ExpandedLines() const;
    // One of them as ISO-8859-1 bytes; valid until the next compile.
    std::string_view ExpandedLine(int line) const { return LineText(line); }

    // Operand readers, writers and error recording.
    int ReadValue(int line, int slot);
    void WriteOut(int line, int value);
    void WriteValue(int line, int value);
    void SetError(int line, wxString text);

    // A jump mark line: the mark gets the image position of the next command.
    void Z_jumpmarke_set(int line);
    // The editor's command keywords: "#define", "#include", then the table's words in order.
    static void SetKeywords(wxArrayString& list, wxString& joined);

    // Where the last compile found each user name and each line, for go-to-definition and hover.
    enum class NameKind { Variable, String, Define, Mark };
    struct Declared {
        NameKind kind;
        int index;  // in its name table: the variable or string number, the mark's row
        int line;   // the expanded line that declares it
    };
    // The declaration of a name as the script writes it (a define with its ';'); false if none.
    bool FindDeclared(std::wstring_view name, Declared* found) const;
    // The file an expanded line came from (empty: the script itself) and its 1-based line there.
    struct LineSource {
        wxString file;
        int line;
    };
    LineSource SourceOf(int expandedLine) const;
    // The #include names the last compile read, in the order it read them.
    const std::vector<wxString>& IncludeNames() const { return includeNames_; }
    // The expanded line that declares entry `index` of a name table; -1 when none.
    int DeclaredLine(NameKind kind, int index) const;
    // The blocks the last compile paired, on script lines.
    const Blocks& BlockStructure() const { return blocks_; }
    // The #include lines of the script (0-based) with the file name as written.
    struct IncludeLine {
        int line;
        wxString name;
    };
    const std::vector<IncludeLine>& IncludeLines() const { return includeLines_; }

    // The row of a command word, or nullptr (exact, case-sensitive).
    static const CommandRow* FindCommand(std::string_view word);

    // Converts one text literal token with the bracket notation (AB[0D] -> A, B, 13).
    static wxString ConvertLiteral(const wxString& text);

    // Shapes: the handler bodies that the table rows share (public so the table can name them).
#define TQC_DECLARE_SHAPE(name, ...) void name(int line, const CommandRow& row);
    TQC_SHAPES(TQC_DECLARE_SHAPE)
#undef TQC_DECLARE_SHAPE

protected:
    // Token helpers for the driver; the shapes read their lines through a LineCursor.
    const TokenText& Tok(int line, int slot) const { return data.token[line][slot]; }
    bool Has(int line, int slot) const { return !data.token[line][slot].empty(); }
    bool Is(int line, int slot, wchar_t c) const { return data.token[line][slot].Is(c); }
    int Var(int line, int slot) const { return data.variableIndex.Find(Tok(line, slot).bytes()); }
    int Str(int line, int slot) const { return data.stringIndex.Find(Tok(line, slot).bytes()); }
    int Mark(int line, int slot) const { return data.markIndex.Find(Tok(line, slot).bytes()); }
    static bool StartsWithDigit(const TokenText& t);
    int Hi(const OperandRow& o) const {
        return o.hi == kIoLimit ? data.maxIoNumber : o.hi == kBusLimit ? data.maxBusNumber : o.hi;
    }
    bool InRange(int value, const OperandRow& o) const { return value >= o.lo && value <= Hi(o); }

    // An operand that may be a variable or a constant (X in the command table).
    struct Operand {
        bool isVar = false;
        int value = 0;
    };
    enum class Width { Byte, Word, PaddedWord };  // constant as 1 or 2 cells; a variable padded to 2
    Operand ReadX(int line, int slot);
    bool ConstInRange(const Operand& v, const OperandRow& o) const { return v.isVar || InRange(v.value, o); }
    static int FormIndex(const Operand& a, const Operand& b) { return (a.isVar ? 2 : 0) + (b.isVar ? 1 : 0); }
    void EmitX(int line, const Operand& o, Width width);
    class LineCursor;  // compiler/LineCursor.h
    void VarCommaX(int line, const CommandRow& row, Width width, int variable, LineCursor& c);

    // Emission helpers.
    void EmitBaud(int line, int value);
    void EmitLiteral(int line, const wxString& converted);
    void EmitAddress(int line);  // two zero cells that PatchAddress fills in later
    void PatchAddress(int position, int address);
    static void OpenBlock(BlockStack& stack, int position);
    struct CalcOperands {
        int target, op;  // op: the code of the operator between A and B, -1 when none (count's ',')
        Operand a, b;
    };
    bool ReadCalcOperands(int line, const CommandRow& row, bool needsOperator, CalcOperands& o);
    static int SettingByte(const TokenText& text);  // -1 when a position is not accepted

public:
    // The other way round, for the disassembler: a code as the script writes it.
    static wxString SettingText(int byte);     // "N,8,1"
    static wxString OperatorText(int code);    // calc's "+" .. "%"
    static wxString ComparisonText(int code);  // if's "==" .. "&&"
    // For the syntax texts: if's comparisons blank-separated; the setting's positions as
    // "NAME: choices; ..." or, with namesOnly, as "NAME,NAME,NAME".
    static std::wstring ComparisonList();
    static std::wstring SettingList(bool namesOnly);

protected:
    // The bytes of an include file; the language server hands in an editor's unsaved text.
    virtual script::ReadResult ReadInclude(const wxString& path, std::string& bytes);
    bool NameOk(const TokenText& name) const;
    bool IsKeyword(const TokenText& name) const;
    void ErrorDirect(int line, const wxString& text);
    // Records where a name just added to its table was declared.
    void Declare(NameKind kind, int index, int line) {
        std::vector<int>& lines = declaredLine_[static_cast<int>(kind)];
        if (static_cast<int>(lines.size()) <= index) lines.resize(static_cast<size_t>(index) + 1, -1);
        lines[static_cast<size_t>(index)] = line;
    }

private:
    // Driver phases.
    void Reset();
    static void PrefaultTokenRows(int lines);
    void ReadEditorLines(const std::vector<std::string_view>& editorLines);
    // The line normaliser: comment cut, blanks dropped outside texts, 0x04 after the command
    // word, a define's value kept as written. Works in the compiler's scratch buffer.
    void Normalise(const char* chars, size_t length, std::string& out);
    void ExpandInclude(int editorLine, const std::string& formatted);
    bool StoreLine(std::string_view text, int editorLine, int includeFile = -1, int includeLine = 0);
    std::string_view LineText(int line) const { return {text_.At(lines_[line].offset), lines_[line].length}; }
    void CollectDefines();
    void SubstituteDefines();
    void Tokenize(int line);
    void CollectMarks();
    void Dispatch();
    // Runs a block word's handler and tells blocks_ what it did to its stack.
    void TakeBlockWord(int line, const CommandRow& row);
    void Shorthand(int line);
    void CheckBalance();
    void ResolveJumps();

    struct LineRef {
        uint32_t offset;  // in text_
        uint32_t length;
    };
    std::vector<LineRef> lines_;  // the expanded lines
    std::vector<char> refused_;   // lines a capacity guard refused: neither tokenized nor dispatched
    bool linesFull_ = false;
    // Per expanded line: the include it came from (-1: the script) and its line in that file.
    std::vector<int> lineFile_, lineInFile_;
    std::vector<wxString> includeNames_;
    std::vector<int> declaredLine_[4];  // by NameKind, in table order
    Blocks blocks_;
    std::vector<IncludeLine> includeLines_;
    // The characters of this compile's expanded lines and of their tokens; the token table
    // points here until another compiler compiles or this one goes.
    TextStore text_;
    std::vector<char> scratch_;  // the normaliser's working copy of a line
};
