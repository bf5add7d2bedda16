// The command table: one row per command word, in dispatch order (the editor's keyword order
// after "#define" and "#include"). Its rows encode (through their shape), decode (through their
// shape's cell layouts, see TQC_SHAPES) and describe themselves (through their operands, see
// TQC_OPERANDS): the checks read their limits from there, and the call tip, hover, help page and
// signature help are written from there, so the texts name exactly the limits that are checked.
//
// Columns: id, word, shape, op0..op3, sep, stack, flags, message.
// The opcodes by form depend on the shape:
//   SingleOperand, VarAssign, KeyBlock, DefVar, Adcin, PortIn, MemRead, DelStrPos, StrToVar:
//                                  op0 constant form, op1 variable form
//   StrAssign, Send, SendBus, Find: op0 text literal, op1 string, op2 constant, op3 variable
//   Calc, Count, ByteToStr, MemWrite (two operands A, B; K constant, V variable):
//              op0 K,K  op1 K,V  op2 V,K  op3 V,V
//   Jump:      op0 the jump placeholder
//   others:    op0 the only opcode
// sep the separator token; stack the block stack; message the block-end error.
#pragma once

// The limits every compile sets; a row names the first two as kIoLimit and kBusLimit.
constexpr int kMaxIoNumber = 1023;
constexpr int kMaxBusNumber = 50;
constexpr int kMaxVariables = 255;
constexpr int kMaxStrings = 20;
constexpr int kMaxStringMemory = 1000;
constexpr int kIoLimit = 1 << 30;         // stands for data.maxIoNumber in an operand's range
constexpr int kBusLimit = (1 << 30) + 1;  // stands for data.maxBusNumber
constexpr int kTargetLength = -1;         // a text as long as the first operand's string at most

// What an operand is: the checks and the generated syntax texts both go by it.
enum class OperandKind : unsigned char {
    Var,         // a variable
    Str,         // a string
    Name,        // a new name
    Mark,        // a jump mark
    Const,       // a number within lo..hi
    ConstOrVar,  // a number within lo..hi or a variable
    Value,       // "TEXT" of at most `text` characters, a string, a variable or a number within lo..hi
    Number,      // a number, no range applies
    Operator,    // one of calc's operators
    Comparison,  // one of if's comparisons
    Setting,     // "PARITY,DATA BITS,STOP BITS"
    Note         // not written: a capacity the command counts against; name formats lo and hi
};

struct OperandRow {
    const wchar_t* name = nullptr;  // as the syntax shows it
    wchar_t before = 0;             // the separator written before it; '(' is closed by ')'
    OperandKind kind = OperandKind::Var;
    int lo = 0, hi = 0;
    int text = 0;  // Value: the longest text literal, or kTargetLength
};

struct OperandList {
    const wchar_t* meaning;  // one German line: what the command does
    OperandRow operand[4];   // in the order they are written; unused ones have no name
};

namespace operands {
constexpr OperandRow Var(const wchar_t* n, wchar_t b = 0) { return {n, b, OperandKind::Var}; }
constexpr OperandRow Str(const wchar_t* n, wchar_t b = 0) { return {n, b, OperandKind::Str}; }
constexpr OperandRow Name(const wchar_t* n) { return {n, 0, OperandKind::Name}; }
constexpr OperandRow Mark(const wchar_t* n) { return {n, 0, OperandKind::Mark}; }
constexpr OperandRow Const(const wchar_t* n, wchar_t b, int lo, int hi) { return {n, b, OperandKind::Const, lo, hi}; }
constexpr OperandRow VarOr(const wchar_t* n, wchar_t b, int lo, int hi) {
    return {n, b, OperandKind::ConstOrVar, lo, hi};
}
constexpr OperandRow Value(const wchar_t* n, wchar_t b, int text, int lo, int hi) {
    return {n, b, OperandKind::Value, lo, hi, text};
}
constexpr OperandRow Number(const wchar_t* n, wchar_t b = 0) { return {n, b, OperandKind::Number}; }
constexpr OperandRow Operator(const wchar_t* n) { return {n, 0, OperandKind::Operator}; }
constexpr OperandRow Comparison(const wchar_t* n) { return {n, 0, OperandKind::Comparison}; }
constexpr OperandRow Setting(wchar_t b = 0) { return {L"", b, OperandKind::Setting}; }
constexpr OperandRow Note(const wchar_t* format, int a, int b = 0) { return {format, 0, OperandKind::Note, a, b}; }
}  // namespace operands

#define TQC_COMMANDS(X)                                                                                          \
    X(adcin, L"adcin", Adcin, 0xE4, 0xE5, 0, 0, 0, nullptr, 0, nullptr)                                          \
    X(addstr, L"addstr", StrAssign, 0x78, 0x79, 0x7A, 0x7B, L',', nullptr, 0, nullptr)                           \
    X(addvar, L"addvar", VarAssign, 0x1E, 0x1F, 0, 0, L',', nullptr, 0, nullptr)                                 \
    X(blk, L"blk", Blk, 0xB4, 0xB5, 0, 0, 0, nullptr, 0, nullptr)                                                \
    X(getblk, L"getblk", GetBlk, 0xB6, 0, 0, 0, 0, nullptr, 0, nullptr)                                          \
    X(bytetostr, L"bytetostr", ByteToStr, 0xDB, 0xDC, 0xD9, 0xDA, 0, nullptr, 0, nullptr)                        \
    X(calc, L"calc", Calc, 0x35, 0x38, 0x36, 0x37, 0, nullptr, 0, nullptr)                                       \
    X(count, L"count", Count, 0x8C, 0x8E, 0x8D, 0x8F, 0, &Data::countStack, 0, nullptr)                          \
    X(endcount, L"endcount", CountEnd, 0x96, 0, 0, 0, 0, &Data::countStack, 0, msg::EndcountWithoutCount)        \
    X(defstr, L"defstr", DefStr, 0x02, 0, 0, 0, L',', nullptr, 0, nullptr)                                       \
    X(defvar, L"defvar", DefVar, 0x01, 0, 0, 0, L'=', nullptr, 0, nullptr)                                       \
    X(delay, L"delay", SingleOperand, 0x0F, 0x10, 0, 0, 0, nullptr, 0, nullptr)                                  \
    X(delstrpos, L"delstrpos", DelStrPos, 0xE7, 0xE8, 0, 0, 0, nullptr, 0, nullptr)                              \
    X(din, L"din", SingleOperand, 0x28, 0x29, 0, 0, 0, nullptr, 0, nullptr)                                      \
    X(dout, L"dout", SingleOperand, 0x2A, 0x2B, 0, 0, 0, nullptr, 0, nullptr)                                    \
    X(find, L"find", Find, 0xAD, 0xAC, 0xAA, 0xAB, 0, nullptr, 0, nullptr)                                       \
    X(getfirmware, L"getfirmware", StringOperand, 0xCA, 0, 0, 0, 0, nullptr, 0, nullptr)                         \
    X(getproglen, L"getproglen", VarOperand, 0xA2, 0, 0, 0, 0, nullptr, 0, nullptr)                              \
    X(getstrlen, L"getstrlen", GetStrLen, 0x80, 0, 0, 0, 0, nullptr, 0, nullptr)                                 \
    X(if_, L"if", If, 0x32, 0x33, 0, 0, 0, &Data::ifStack, 0, nullptr)                                           \
    X(else_, L"else", Else, 0, 0, 0, 0, 0, &Data::ifStack, 0, nullptr)                                           \
    X(endif, L"endif", EndIf, 0, 0, 0, 0, 0, &Data::ifStack, 0, nullptr)                                         \
    X(jump, L"jump", Jump, kJumpPlaceholder, 0, 0, 0, 0, nullptr, 0, nullptr)                                    \
    X(memwrite, L"memwrite", MemWrite, 0x9E, 0x9C, 0x9F, 0x9D, 0, nullptr, 0, nullptr)                           \
    X(memread, L"memread", MemRead, 0x99, 0x9A, 0, 0, 0, nullptr, 0, nullptr)                                    \
    X(off, L"off", SingleOperand, 0x0C, 0x0D, 0, 0, 0, nullptr, 0, nullptr)                                      \
    X(on, L"on", SingleOperand, 0x0A, 0x0B, 0, 0, 0, nullptr, 0, nullptr)                                        \
    X(portin, L"portin", PortIn, 0x17, 0x18, 0, 0, 0, nullptr, 0, nullptr)                                       \
    X(push, L"push", KeyBlock, 0x46, 0x47, 0, 0, 0, &Data::pushStack, 0, nullptr)                                \
    X(endpush, L"endpush", BlockEnd, 0, 0, 0, 0, 0, &Data::pushStack, 0, msg::EndpushWithoutPush)                \
    X(release, L"release", KeyBlock, 0x48, 0x49, 0, 0, 0, &Data::releaseStack, 0, nullptr)                       \
    X(endrelease, L"endrelease", BlockEnd, 0, 0, 0, 0, 0, &Data::releaseStack, 0, msg::EndreleaseWithoutRelease) \
    X(press, L"press", KeyBlock, 0x50, 0x51, 0, 0, 0, &Data::pressStack, 0, nullptr)                             \
    X(holdpress, L"holdpress", SingleOperand, 0x52, 0x53, 0, 0, 0, nullptr, 0, nullptr)                          \
    X(endpress, L"endpress", BlockEnd, 0, 0, 0, 0, 0, &Data::pressStack, 0, msg::EndpressWithoutPress)           \
    X(retjump, L"retjump", Jump, kRetjumpPlaceholder, 0, 0, 0, 0, nullptr, 0, nullptr)                           \
    X(retjumptimer1, L"retjumptimer1", Jump, kRetjumpTimer1Placeholder, 0, 0, 0, 0, nullptr, 0, nullptr)         \
    X(return_, L"return", NoOperand, 0x13, 0, 0, 0, 0, nullptr, 0, nullptr)                                      \
    X(send, L"send", Send, 0x41, 0x42, 0x43, 0x44, 0, nullptr, kEndsAfterText, nullptr)                          \
    X(sendbus, L"sendbus", SendBus, 0xBE, 0xBF, 0xC0, 0xC1, 0, nullptr, 0, nullptr)                              \
    X(sendvartobus, L"sendvartobus", VarOperand, 0xC8, 0, 0, 0, 0, nullptr, 0, nullptr)                          \
    X(sendir, L"sendir", SendIr, 0xE0, 0, 0, 0, 0, nullptr, 0, nullptr)                                          \
    X(setbaud, L"setbaud", Baud, 0x3F, 0, 0, 0, 0, nullptr, 0, nullptr)                                          \
    X(setsetting, L"setsetting", Setting, 0x40, 0, 0, 0, 0, nullptr, 0, nullptr)                                 \
    X(setstr, L"setstr", StrAssign, 0x03, 0x04, 0x05, 0x08, L'=', nullptr, 0, nullptr)                           \
    X(setvar, L"setvar", VarAssign, 0x01, 0x06, 0, 0, L'=', nullptr, 0, nullptr)                                 \
    X(settqpbaud, L"settqpbaud", Baud, 0xA3, 0, 0, 0, 0, nullptr, 0, nullptr)                                    \
    X(settqpsetting, L"settqpsetting", Setting, 0xA4, 0, 0, 0, 0, nullptr, 0, nullptr)                           \
    X(setbusrs232setting, L"setbusrs232setting", BusSetting, 0xC7, 0, 0, 0, 0, nullptr, 0, nullptr)              \
    X(strtobuffer, L"strtobuffer", StringOperand, 0x07, 0, 0, 0, 0, nullptr, 0, nullptr)                         \
    X(strtobusbuffer, L"strtobusbuffer", StrToBusBuffer, 0xB9, 0, 0, 0, 0, nullptr, 0, nullptr)                  \
    X(strtotqpbuffer, L"strtotqpbuffer", StringOperand, 0x09, 0, 0, 0, 0, nullptr, 0, nullptr)                   \
    X(setbusrs232baud, L"setbusrs232baud", BusBaud, 0xC6, 0, 0, 0, 0, nullptr, 0, nullptr)                       \
    X(strtovar, L"strtovar", StrToVar, 0x7D, 0x7E, 0, 0, 0, nullptr, 0, nullptr)                                 \
    X(subvar, L"subvar", VarAssign, 0x21, 0x22, 0, 0, L',', nullptr, 0, nullptr)                                 \
    X(settimer, L"settimer", SetTimer, 0x83, 0, 0, 0, 0, nullptr, 0, nullptr)                                    \
    X(timerstop, L"timerstop", NoOperand, 0x84, 0, 0, 0, 0, nullptr, 0, nullptr)                                 \
    X(timergo, L"timergo", NoOperand, 0x85, 0, 0, 0, 0, nullptr, 0, nullptr)                                     \
    X(vartostr, L"vartostr", VarToStr, 0xAF, 0, 0, 0, 0, nullptr, 0, nullptr)                                    \
    X(tqpsend, L"tqpsend", Send, 0xA5, 0xA6, 0xA7, 0xA8, 0, nullptr, 0, nullptr)

// The shapes named in the table, each a Compiler member taking (int line, const CommandRow&), with
// the cells that follow the opcode of each form op0..op3, read as the command is written:
//   v variable  s string  b byte  w word (signed when the range is)  t baud (3 cells)
//   L text literal (length, then the characters)  M jump target  A block end address
//   f line setting  c calc operator  k comparison  z a padding cell (0)  $ the row's separator
//   any other character is printed as it stands; "-" marks a form the shape does not have.
#define TQC_SHAPES(X)                                                        \
    X(SingleOperand, "w", "v", "-", "-")                                     \
    X(VarAssign, "v $ w", "v $ v", "-", "-")                                 \
    X(Calc, "v = w c w", "v = w c v", "v = v c w", "v = v c v")              \
    X(Count, "v = w , w", "v = w , vz", "v = vz , w", "v = vz , vz")         \
    X(CountEnd, "A", "-", "-", "-")                                          \
    X(If, "v k w A", "v k v A", "-", "-")                                    \
    X(Else, "-", "-", "-", "-")                                              \
    X(EndIf, "-", "-", "-", "-")                                             \
    X(Jump, "M", "-", "-", "-")                                              \
    X(NoOperand, "", "-", "-", "-")                                          \
    X(KeyBlock, "w A", "v A", "-", "-")                                      \
    X(BlockEnd, "-", "-", "-", "-")                                          \
    X(StrAssign, "s $ L", "s $ s", "s $ b", "s $ v")                         \
    X(Find, "v , s ( L )", "v , s ( s )", "v , s ( b )", "v , s ( v )")      \
    X(DelStrPos, "s , b", "s , v", "-", "-")                                 \
    X(StrToVar, "v , s ( b )", "v , s ( v )", "-", "-")                      \
    X(VarToStr, "s , v ( b )", "-", "-", "-")                                \
    X(ByteToStr, "s , b ( b )", "s , b ( v )", "s , v ( b )", "s , v ( v )") \
    X(GetStrLen, "v , s", "-", "-", "-")                                     \
    X(StringOperand, "s", "-", "-", "-")                                     \
    X(StrToBusBuffer, "b , s", "-", "-", "-")                                \
    X(SetTimer, "w", "-", "-", "-")                                          \
    X(Blk, "w , w ( b )", "v , w ( b )", "-", "-")                           \
    X(GetBlk, "v , w", "-", "-", "-")                                        \
    X(PortIn, "v , w", "v , v", "-", "-")                                    \
    X(Adcin, "v , b", "v , v", "-", "-")                                     \
    X(MemRead, "v , w", "v , v", "-", "-")                                   \
    X(MemWrite, "w , w", "w , v", "v , w", "v , v")                          \
    X(VarOperand, "v", "-", "-", "-")                                        \
    X(Send, "L", "s", "b", "v")                                              \
    X(SendBus, "b , L", "b , s", "b , b", "b , v")                           \
    X(SendIr, "s", "-", "-", "-")                                            \
    X(Baud, "t", "-", "-", "-")                                              \
    X(Setting, "f", "-", "-", "-")                                           \
    X(BusBaud, "b , t", "-", "-", "-")                                       \
    X(BusSetting, "b , f", "-", "-", "-")                                    \
    X(DefVar, "v = w", "-", "-", "-")                                        \
    X(DefStr, "s , b", "-", "-", "-")

// Each command's operands as written, with their limits, and its meaning (one row per command of
// TQC_COMMANDS, any order). A Value's text limit is in characters after the bracket notation.
#define TQC_OPERANDS(X)                                                                                                \
    X(adcin, L"Liest den Analogeingang NUMMER in VARIABLE.", Var(L"VARIABLE"), VarOr(L"NUMMER", L',', 0, 255))         \
    X(addstr, L"Hängt WERT an STRING an.", Str(L"STRING"), Value(L"WERT", L',', kTargetLength, 0, 255))                \
    X(addvar, L"Addiert WERT zu VARIABLE.", Var(L"VARIABLE"), VarOr(L"WERT", L',', -32767, 32767))                     \
    X(blk, L"Belegt den Block NUMMER mit WERT und ANZAHL.", VarOr(L"NUMMER", 0, 0, kIoLimit),                          \
      Const(L"WERT", L',', 0, 30000), Const(L"ANZAHL", L'(', 1, 250))                                                  \
    X(getblk, L"Liest den Block NUMMER in VARIABLE.", Var(L"VARIABLE"), Const(L"NUMMER", L',', 0, kIoLimit))           \
    X(bytetostr, L"Schreibt das Zeichen WERT an POSITION in STRING.", Str(L"STRING"), VarOr(L"WERT", L',', 0, 255),    \
      VarOr(L"POSITION", L'(', 0, 255))                                                                                \
    X(calc, L"Legt WERT1 OPERATOR WERT2 in VARIABLE ab (kurz: VARIABLE = WERT1 OPERATOR WERT2).", Var(L"VARIABLE"),    \
      VarOr(L"WERT1", L'=', -32767, 32767), Operator(L"OPERATOR"), VarOr(L"WERT2", 0, -32767, 32767))                  \
    X(count, L"Zählschleife bis endcount: VARIABLE zählt von START bis ENDE.", Var(L"VARIABLE"),                       \
      VarOr(L"START", L'=', -32767, 32767), VarOr(L"ENDE", L',', -32767, 32767))                                       \
    X(endcount, L"Beendet die Zählschleife von count.")                                                                \
    X(defstr, L"Legt den String NAME mit LÄNGE Zeichen an.", Name(L"NAME"), Const(L"LÄNGE", L',', 1, 250),             \
      Note(L"höchstens %d Strings mit zusammen %d Zeichen", kMaxStrings, kMaxStringMemory))                            \
    X(defvar, L"Legt die Variable NAME mit dem Anfangswert WERT an.", Name(L"NAME"),                                   \
      Const(L"WERT", L'=', -32767, 32767), Note(L"höchstens %d Variablen", kMaxVariables))                             \
    X(delay, L"Wartet die Zeit ZEIT ab.", VarOr(L"ZEIT", 0, 0, 65535))                                                 \
    X(delstrpos, L"Löscht das Zeichen an POSITION in STRING.", Str(L"STRING"), VarOr(L"POSITION", L',', 0, 255))       \
    X(din, L"Legt NUMMER als digitalen Eingang fest.", VarOr(L"NUMMER", 0, 0, kIoLimit))                               \
    X(dout, L"Legt NUMMER als digitalen Ausgang fest.", VarOr(L"NUMMER", 0, 0, kIoLimit))                              \
    X(find, L"Sucht WERT in STRING und legt die Fundstelle in VARIABLE ab.", Var(L"VARIABLE"), Str(L"STRING", L','),   \
      Value(L"WERT", L'(', 255, 0, 255))                                                                               \
    X(getfirmware, L"Legt die Firmware-Kennung der Steuerung in STRING ab.", Str(L"STRING"))                           \
    X(getproglen, L"Legt die Programmlänge der Steuerung in VARIABLE ab.", Var(L"VARIABLE"))                           \
    X(getstrlen, L"Legt die Länge von STRING in VARIABLE ab.", Var(L"VARIABLE"), Str(L"STRING", L','))                 \
    X(if_, L"Führt den Block bis else oder endif aus, wenn der Vergleich zutrifft.", Var(L"VARIABLE"),                 \
      Comparison(L"VERGLEICH"), VarOr(L"WERT", 0, -32767, 32767))                                                      \
    X(else_, L"Beginnt den Block, der läuft, wenn der Vergleich von if nicht zutrifft.")                               \
    X(endif, L"Beendet den Block von if.")                                                                             \
    X(jump, L"Springt zur Marke ::MARKE.", Mark(L"MARKE"))                                                             \
    X(memwrite, L"Schreibt WERT in die Speicherzelle ZELLE.", VarOr(L"ZELLE", 0, 0, 511),                              \
      VarOr(L"WERT", L',', -32767, 32767))                                                                             \
    X(memread, L"Liest die Speicherzelle ZELLE in VARIABLE.", Var(L"VARIABLE"), VarOr(L"ZELLE", L',', 0, 511))         \
    X(off, L"Schaltet den Ausgang NUMMER aus.", VarOr(L"NUMMER", 0, 0, kIoLimit))                                      \
    X(on, L"Schaltet den Ausgang NUMMER ein.", VarOr(L"NUMMER", 0, 0, kIoLimit))                                       \
    X(portin, L"Liest den Port NUMMER in VARIABLE.", Var(L"VARIABLE"), VarOr(L"NUMMER", L',', 0, kIoLimit))            \
    X(push, L"Block bis endpush: läuft bei einem kurzen Druck auf TASTE.", VarOr(L"TASTE", 0, 0, kIoLimit))            \
    X(endpush, L"Beendet den Block von push.")                                                                         \
    X(release, L"Block bis endrelease: läuft beim Loslassen von TASTE.", VarOr(L"TASTE", 0, 0, kIoLimit))              \
    X(endrelease, L"Beendet den Block von release.")                                                                   \
    X(press, L"Block bis endpress: läuft, wenn TASTE gedrückt gehalten wird.", VarOr(L"TASTE", 0, 0, kIoLimit))        \
    X(holdpress, L"Wartet, solange TASTE gedrückt bleibt.", VarOr(L"TASTE", 0, 0, kIoLimit))                           \
    X(endpress, L"Beendet den Block von press.")                                                                       \
    X(retjump, L"Springt zur Marke ::MARKE; return kehrt hierher zurück.", Mark(L"MARKE"))                             \
    X(retjumptimer1, L"Springt bei Ablauf von Timer 1 zur Marke ::MARKE; return kehrt zurück.", Mark(L"MARKE"))        \
    X(return_, L"Kehrt hinter den retjump zurück, der hierher gesprungen ist.")                                        \
    X(send, L"Sendet WERT über die serielle Schnittstelle.", Value(L"WERT", 0, 255, 0, 255))                           \
    X(sendbus, L"Sendet WERT über den Bus an das Modul ADRESSE.", Const(L"ADRESSE", 0, 1, kBusLimit),                  \
      Value(L"WERT", L',', 250, 0, 255))                                                                               \
    X(sendvartobus, L"Sendet VARIABLE über den Bus.", Var(L"VARIABLE"))                                                \
    X(sendir, L"Sendet STRING als Infrarot-Code.", Str(L"STRING"))                                                     \
    X(setbaud, L"Stellt die serielle Schnittstelle auf BAUD Baud (eine Zahl, ohne Bereichsprüfung).", Number(L"BAUD")) \
    X(setsetting, L"Stellt Parität, Daten- und Stoppbits der seriellen Schnittstelle ein, z. B. \"N,8,1\".",           \
      Setting())                                                                                                       \
    X(setstr, L"Setzt STRING auf WERT (kurz: STRING = WERT).", Str(L"STRING"),                                         \
      Value(L"WERT", L'=', kTargetLength, 0, 255))                                                                     \
    X(setvar, L"Setzt VARIABLE auf WERT (kurz: VARIABLE = WERT).", Var(L"VARIABLE"),                                   \
      VarOr(L"WERT", L'=', -32767, 32767))                                                                             \
    X(settqpbaud, L"Stellt den TqP-Anschluss auf BAUD Baud (eine Zahl, ohne Bereichsprüfung).", Number(L"BAUD"))       \
    X(settqpsetting, L"Stellt Parität, Daten- und Stoppbits des TqP-Anschlusses ein, z. B. \"N,8,1\".", Setting())     \
    X(setbusrs232setting, L"Stellt Parität, Daten- und Stoppbits der RS232-Schnittstelle des Busmoduls ADRESSE ein.",  \
      Const(L"ADRESSE", 0, 1, kBusLimit), Setting(L','))                                                               \
    X(strtobuffer, L"Schreibt STRING in den Puffer der seriellen Schnittstelle.", Str(L"STRING"))                      \
    X(strtobusbuffer, L"Schreibt STRING in den Puffer des Busmoduls ADRESSE.", Const(L"ADRESSE", 0, 1, kBusLimit),     \
      Str(L"STRING", L','))                                                                                            \
    X(strtotqpbuffer, L"Schreibt STRING in den Puffer des TqP-Anschlusses.", Str(L"STRING"))                           \
    X(setbusrs232baud, L"Stellt die RS232-Schnittstelle des Busmoduls ADRESSE auf BAUD Baud.",                         \
      Const(L"ADRESSE", 0, 1, kBusLimit), Const(L"BAUD", L',', 1, 115200))                                             \
    X(strtovar, L"Liest STRING ab POSITION in VARIABLE.", Var(L"VARIABLE"), Str(L"STRING", L','),                      \
      VarOr(L"POSITION", L'(', 0, 255))                                                                                \
    X(subvar, L"Zieht WERT von VARIABLE ab.", Var(L"VARIABLE"), VarOr(L"WERT", L',', -32767, 32767))                   \
    X(settimer, L"Stellt den Timer auf ZEIT.", Const(L"ZEIT", 0, 0, 600))                                              \
    X(timerstop, L"Hält den Timer an.")                                                                                \
    X(timergo, L"Startet den Timer.")                                                                                  \
    X(vartostr, L"Schreibt VARIABLE ab POSITION in STRING.", Str(L"STRING"), Var(L"VARIABLE", L','),                   \
      Const(L"POSITION", L'(', 0, 255))                                                                                \
    X(tqpsend, L"Sendet WERT über den TqP-Anschluss.", Value(L"WERT", 0, 255, 0, 255))

namespace operands {
#define TQC_OPERAND_LIST(id, meaning, ...) inline constexpr OperandList id = {meaning, {__VA_ARGS__}};
TQC_OPERANDS(TQC_OPERAND_LIST)
#undef TQC_OPERAND_LIST
}  // namespace operands
