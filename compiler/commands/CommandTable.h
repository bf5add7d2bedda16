// The command table: one row per command word, in dispatch order (the editor's keyword order
// after "#define" and "#include"). Its rows both encode (through their shape) and decode (through
// their shape's cell layouts, see TQC_SHAPES).
//
// Columns: id, word, shape, op0..op3, lo, hi, sep, stack, flags, message.
// The opcodes by form depend on the shape:
//   SingleOperand, VarAssign, KeyBlock, DefVar, Adcin, PortIn, MemRead, DelStrPos, StrToVar:
//                                  op0 constant form, op1 variable form
//   StrAssign, Send, SendBus, Find: op0 text literal, op1 string, op2 constant, op3 variable
//   Calc, Count, ByteToStr, MemWrite (two operands A, B; K constant, V variable):
//              op0 K,K  op1 K,V  op2 V,K  op3 V,V
//   Jump:      op0 the jump placeholder
//   others:    op0 the only opcode
// lo..hi is the range of the constant operand (kIoLimit / kBusLimit stand for the compile's
// maxIoNumber / maxBusNumber); sep the separator token; stack the block stack; message the
// block-end error.
#pragma once

#define TQC_COMMANDS(X)                                                                                   \
    X(adcin, L"adcin", Adcin, 0xE4, 0xE5, 0, 0, 0, 255, 0, nullptr, 0, nullptr)                           \
    X(addstr, L"addstr", StrAssign, 0x78, 0x79, 0x7A, 0x7B, 0, 255, L',', nullptr, 0, nullptr)            \
    X(addvar, L"addvar", VarAssign, 0x1E, 0x1F, 0, 0, -32767, 32767, L',', nullptr, 0, nullptr)           \
    X(blk, L"blk", Blk, 0xB4, 0xB5, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)                            \
    X(getblk, L"getblk", GetBlk, 0xB6, 0, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)                      \
    X(bytetostr, L"bytetostr", ByteToStr, 0xDB, 0xDC, 0xD9, 0xDA, 0, 255, 0, nullptr, 0,                  \
      nullptr)                                                                                            \
    X(calc, L"calc", Calc, 0x35, 0x38, 0x36, 0x37, -32767, 32767, 0, nullptr, 0, nullptr)                 \
    X(count, L"count", Count, 0x8C, 0x8E, 0x8D, 0x8F, -32767, 32767, 0, &Data::countStack, 0,             \
      nullptr)                                                                                            \
    X(endcount, L"endcount", CountEnd, 0x96, 0, 0, 0, 0, 0, 0, &Data::countStack, 0,                      \
      msg::EndcountWithoutCount)                                                                          \
    X(defstr, L"defstr", DefStr, 0x02, 0, 0, 0, 1, 250, L',', nullptr, 0, nullptr)                        \
    X(defvar, L"defvar", DefVar, 0x01, 0, 0, 0, -32767, 32767, L'=', nullptr, 0, nullptr)                 \
    X(delay, L"delay", SingleOperand, 0x0F, 0x10, 0, 0, 0, 65535, 0, nullptr, 0, nullptr)                 \
    X(delstrpos, L"delstrpos", DelStrPos, 0xE7, 0xE8, 0, 0, 0, 255, 0, nullptr, 0, nullptr)               \
    X(din, L"din", SingleOperand, 0x28, 0x29, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)                  \
    X(dout, L"dout", SingleOperand, 0x2A, 0x2B, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)                \
    X(find, L"find", Find, 0xAD, 0xAC, 0xAA, 0xAB, 0, 255, 0, nullptr, 0, nullptr)                        \
    X(getfirmware, L"getfirmware", StringOperand, 0xCA, 0, 0, 0, 0, 0, 0, nullptr, 0,                     \
      nullptr)                                                                                            \
    X(getproglen, L"getproglen", VarOperand, 0xA2, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                 \
    X(getstrlen, L"getstrlen", GetStrLen, 0x80, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                    \
    X(if_, L"if", If, 0x32, 0x33, 0, 0, -32767, 32767, 0, &Data::ifStack, 0, nullptr)                     \
    X(else_, L"else", Else, 0, 0, 0, 0, 0, 0, 0, &Data::ifStack, 0, nullptr)                              \
    X(endif, L"endif", EndIf, 0, 0, 0, 0, 0, 0, 0, &Data::ifStack, 0, nullptr)                            \
    X(jump, L"jump", Jump, kJumpPlaceholder, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                       \
    X(memwrite, L"memwrite", MemWrite, 0x9E, 0x9C, 0x9F, 0x9D, 0, 511, 0, nullptr, 0, nullptr)            \
    X(memread, L"memread", MemRead, 0x99, 0x9A, 0, 0, 0, 511, 0, nullptr, 0, nullptr)                     \
    X(off, L"off", SingleOperand, 0x0C, 0x0D, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)                  \
    X(on, L"on", SingleOperand, 0x0A, 0x0B, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)                    \
    X(portin, L"portin", PortIn, 0x17, 0x18, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)                   \
    X(push, L"push", KeyBlock, 0x46, 0x47, 0, 0, 0, kIoLimit, 0, &Data::pushStack, 0, nullptr)            \
    X(endpush, L"endpush", BlockEnd, 0, 0, 0, 0, 0, 0, 0, &Data::pushStack, 0,                            \
      msg::EndpushWithoutPush)                                                                            \
    X(release, L"release", KeyBlock, 0x48, 0x49, 0, 0, 0, kIoLimit, 0, &Data::releaseStack, 0,            \
      nullptr)                                                                                            \
    X(endrelease, L"endrelease", BlockEnd, 0, 0, 0, 0, 0, 0, 0, &Data::releaseStack, 0,                   \
      msg::EndreleaseWithoutRelease)                                                                      \
    X(press, L"press", KeyBlock, 0x50, 0x51, 0, 0, 0, kIoLimit, 0, &Data::pressStack, 0, nullptr)         \
    X(holdpress, L"holdpress", SingleOperand, 0x52, 0x53, 0, 0, 0, kIoLimit, 0, nullptr, 0,               \
      nullptr)                                                                                            \
    X(endpress, L"endpress", BlockEnd, 0, 0, 0, 0, 0, 0, 0, &Data::pressStack, 0,                         \
      msg::EndpressWithoutPress)                                                                          \
    X(retjump, L"retjump", Jump, kRetjumpPlaceholder, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)              \
    X(retjumptimer1, L"retjumptimer1", Jump, kRetjumpTimer1Placeholder, 0, 0, 0, 0, 0, 0, nullptr, 0,     \
      nullptr)                                                                                            \
    X(return_, L"return", NoOperand, 0x13, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                         \
    X(send, L"send", Send, 0x41, 0x42, 0x43, 0x44, 0, 255, 0, nullptr, kEndsAfterText, nullptr)           \
    X(sendbus, L"sendbus", SendBus, 0xBE, 0xBF, 0xC0, 0xC1, 1, kBusLimit, 0, nullptr, 0,                  \
      nullptr)                                                                                            \
    X(sendvartobus, L"sendvartobus", VarOperand, 0xC8, 0, 0, 0, 0, 0, 0, nullptr, 0,                      \
      nullptr)                                                                                            \
    X(sendir, L"sendir", SendIr, 0xE0, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                             \
    X(setbaud, L"setbaud", Baud, 0x3F, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                             \
    X(setsetting, L"setsetting", Setting, 0x40, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                    \
    X(setstr, L"setstr", StrAssign, 0x03, 0x04, 0x05, 0x08, 0, 255, L'=', nullptr, 0, nullptr)            \
    X(setvar, L"setvar", VarAssign, 0x01, 0x06, 0, 0, -32767, 32767, L'=', nullptr, 0, nullptr)           \
    X(settqpbaud, L"settqpbaud", Baud, 0xA3, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                       \
    X(settqpsetting, L"settqpsetting", Setting, 0xA4, 0, 0, 0, 0, 0, 0, nullptr, 0,                       \
      nullptr)                                                                                            \
    X(setbusrs232setting, L"setbusrs232setting", BusSetting, 0xC7, 0, 0, 0, 1,                            \
      kBusLimit, 0, nullptr, 0, nullptr)                                                                  \
    X(strtobuffer, L"strtobuffer", StringOperand, 0x07, 0, 0, 0, 0, 0, 0, nullptr, 0,                     \
      nullptr)                                                                                            \
    X(strtobusbuffer, L"strtobusbuffer", StrToBusBuffer, 0xB9, 0, 0, 0, 1, kBusLimit, 0,                  \
      nullptr, 0, nullptr)                                                                                \
    X(strtotqpbuffer, L"strtotqpbuffer", StringOperand, 0x09, 0, 0, 0, 0, 0, 0, nullptr,                  \
      0, nullptr)                                                                                         \
    X(setbusrs232baud, L"setbusrs232baud", BusBaud, 0xC6, 0, 0, 0, 1, kBusLimit, 0,                       \
      nullptr, 0, nullptr)                                                                                \
    X(strtovar, L"strtovar", StrToVar, 0x7D, 0x7E, 0, 0, 0, 255, 0, nullptr, 0, nullptr)                  \
    X(subvar, L"subvar", VarAssign, 0x21, 0x22, 0, 0, -32767, 32767, L',', nullptr, 0, nullptr)           \
    X(settimer, L"settimer", SetTimer, 0x83, 0, 0, 0, 0, 600, 0, nullptr, 0, nullptr)                     \
    X(timerstop, L"timerstop", NoOperand, 0x84, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                    \
    X(timergo, L"timergo", NoOperand, 0x85, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                        \
    X(vartostr, L"vartostr", VarToStr, 0xAF, 0, 0, 0, 0, 255, 0, nullptr, 0, nullptr)                     \
    X(tqpsend, L"tqpsend", Send, 0xA5, 0xA6, 0xA7, 0xA8, 0, 255, 0, nullptr, 0, nullptr)

// The shapes named in the table, each a Compiler member taking (int line, const CommandRow&), with
// the cells that follow the opcode of each form op0..op3, read as the command is written:
//   v variable  s string  b byte  w word (signed when the range is)  t baud (3 cells)
//   L text literal (length, then the characters)  M jump target  A block end address
//   f line setting  c calc operator  k comparison  z a padding cell (0)  $ the row's separator
//   any other character is printed as it stands; "-" marks a form the shape does not have.
#define TQC_SHAPES(X)                                                                                     \
    X(SingleOperand, "w", "v", "-", "-")                                                                  \
    X(VarAssign, "v $ w", "v $ v", "-", "-")                                                              \
    X(Calc, "v = w c w", "v = w c v", "v = v c w", "v = v c v")                                           \
    X(Count, "v = w , w", "v = w , vz", "v = vz , w", "v = vz , vz")                                      \
    X(CountEnd, "A", "-", "-", "-")                                                                       \
    X(If, "v k w A", "v k v A", "-", "-")                                                                 \
    X(Else, "-", "-", "-", "-")                                                                           \
    X(EndIf, "-", "-", "-", "-")                                                                          \
    X(Jump, "M", "-", "-", "-")                                                                           \
    X(NoOperand, "", "-", "-", "-")                                                                       \
    X(KeyBlock, "w A", "v A", "-", "-")                                                                   \
    X(BlockEnd, "-", "-", "-", "-")                                                                       \
    X(StrAssign, "s $ L", "s $ s", "s $ b", "s $ v")                                                      \
    X(Find, "v , s ( L )", "v , s ( s )", "v , s ( b )", "v , s ( v )")                                   \
    X(DelStrPos, "s , b", "s , v", "-", "-")                                                              \
    X(StrToVar, "v , s ( b )", "v , s ( v )", "-", "-")                                                   \
    X(VarToStr, "s , v ( b )", "-", "-", "-")                                                             \
    X(ByteToStr, "s , b ( b )", "s , b ( v )", "s , v ( b )", "s , v ( v )")                              \
    X(GetStrLen, "v , s", "-", "-", "-")                                                                  \
    X(StringOperand, "s", "-", "-", "-")                                                                  \
    X(StrToBusBuffer, "b , s", "-", "-", "-")                                                             \
    X(SetTimer, "w", "-", "-", "-")                                                                       \
    X(Blk, "w , w ( b )", "v , w ( b )", "-", "-")                                                        \
    X(GetBlk, "v , w", "-", "-", "-")                                                                     \
    X(PortIn, "v , w", "v , v", "-", "-")                                                                 \
    X(Adcin, "v , b", "v , v", "-", "-")                                                                  \
    X(MemRead, "v , w", "v , v", "-", "-")                                                                \
    X(MemWrite, "w , w", "w , v", "v , w", "v , v")                                                       \
    X(VarOperand, "v", "-", "-", "-")                                                                     \
    X(Send, "L", "s", "b", "v")                                                                           \
    X(SendBus, "b , L", "b , s", "b , b", "b , v")                                                        \
    X(SendIr, "s", "-", "-", "-")                                                                         \
    X(Baud, "t", "-", "-", "-")                                                                           \
    X(Setting, "f", "-", "-", "-")                                                                        \
    X(BusBaud, "b , t", "-", "-", "-")                                                                    \
    X(BusSetting, "b , f", "-", "-", "-")                                                                 \
    X(DefVar, "v = w", "-", "-", "-")                                                                     \
    X(DefStr, "s , b", "-", "-", "-")
