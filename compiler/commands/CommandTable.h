// The command table: one row per command word, in dispatch order.
//
// Columns: id, word, handler, shape, op0..op3, lo, hi, sep, stack, flags, message.
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
    X(adcin, L"adcin", Z_adcin, Adcin, 0xE4, 0xE5, 0, 0, 0, 255, 0, nullptr, 0, nullptr)                   \
    X(addstr, L"addstr", Z_addstr, StrAssign, 0x78, 0x79, 0x7A, 0x7B, 0, 255, L',', nullptr, 0, nullptr)   \
    X(addvar, L"addvar", Z_addvar, VarAssign, 0x1E, 0x1F, 0, 0, -32767, 32767, L',', nullptr, 0, nullptr)  \
    X(blk, L"blk", Z_blk, Blk, 0xB4, 0xB5, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)                      \
    X(getblk, L"getblk", Z_blk_get, GetBlk, 0xB6, 0, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)            \
    X(bytetostr, L"bytetostr", Z_bytetostr, ByteToStr, 0xDB, 0xDC, 0xD9, 0xDA, 0, 255, 0, nullptr, 0,      \
      nullptr)                                                                                            \
    X(calc, L"calc", Z_calc, Calc, 0x35, 0x38, 0x36, 0x37, -32767, 32767, 0, nullptr, 0, nullptr)          \
    X(count, L"count", Z_count, Count, 0x8C, 0x8E, 0x8D, 0x8F, -32767, 32767, 0, &Data::countStack, 0,    \
      nullptr)                                                                                            \
    X(endcount, L"endcount", Z_count_end, CountEnd, 0x96, 0, 0, 0, 0, 0, 0, &Data::countStack, 0,          \
      msg::EndcountWithoutCount)                                                                          \
    X(defstr, L"defstr", Z_defstr, DefStr, 0x02, 0, 0, 0, 1, 250, L',', nullptr, 0, nullptr)               \
    X(defvar, L"defvar", Z_defvar, DefVar, 0x01, 0, 0, 0, -32767, 32767, L'=', nullptr, 0, nullptr)        \
    X(delay, L"delay", Z_delay, SingleOperand, 0x0F, 0x10, 0, 0, 0, 65535, 0, nullptr, 0, nullptr)         \
    X(delstrpos, L"delstrpos", Z_delstrpos, DelStrPos, 0xE7, 0xE8, 0, 0, 0, 255, 0, nullptr, 0, nullptr)   \
    X(din, L"din", Z_din, SingleOperand, 0x28, 0x29, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)            \
    X(dout, L"dout", Z_dout, SingleOperand, 0x2A, 0x2B, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)         \
    X(find, L"find", Z_find, Find, 0xAD, 0xAC, 0xAA, 0xAB, 0, 255, 0, nullptr, 0, nullptr)                 \
    X(getfirmware, L"getfirmware", Z_getfirmware, StringOperand, 0xCA, 0, 0, 0, 0, 0, 0, nullptr, 0,       \
      nullptr)                                                                                            \
    X(getproglen, L"getproglen", Z_getproglen, VarOperand, 0xA2, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)    \
    X(getstrlen, L"getstrlen", Z_getstrlen, GetStrLen, 0x80, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)        \
    X(if_, L"if", Z_if, If, 0x32, 0x33, 0, 0, -32767, 32767, 0, &Data::ifStack, 0, nullptr)                \
    X(else_, L"else", Z_if_else, Else, 0, 0, 0, 0, 0, 0, 0, &Data::ifStack, 0, nullptr)                    \
    X(endif, L"endif", Z_if_end, EndIf, 0, 0, 0, 0, 0, 0, 0, &Data::ifStack, 0, nullptr)                   \
    X(jump, L"jump", Z_jump, Jump, 90021, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                           \
    X(memwrite, L"memwrite", Z_memwrite, MemWrite, 0x9E, 0x9C, 0x9F, 0x9D, 0, 511, 0, nullptr, 0, nullptr) \
    X(memread, L"memread", Z_memread, MemRead, 0x99, 0x9A, 0, 0, 0, 511, 0, nullptr, 0, nullptr)           \
    X(off, L"off", Z_off, SingleOperand, 0x0C, 0x0D, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)            \
    X(on, L"on", Z_on, SingleOperand, 0x0A, 0x0B, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)               \
    X(portin, L"portin", Z_portin, PortIn, 0x17, 0x18, 0, 0, 0, kIoLimit, 0, nullptr, 0, nullptr)          \
    X(push, L"push", Z_push, KeyBlock, 0x46, 0x47, 0, 0, 0, kIoLimit, 0, &Data::pushStack, 0, nullptr)     \
    X(endpush, L"endpush", Z_push_end, BlockEnd, 0, 0, 0, 0, 0, 0, 0, &Data::pushStack, 0,                 \
      msg::EndpushWithoutPush)                                                                            \
    X(release, L"release", Z_release, KeyBlock, 0x48, 0x49, 0, 0, 0, kIoLimit, 0, &Data::releaseStack, 0,  \
      nullptr)                                                                                            \
    X(endrelease, L"endrelease", Z_release_end, BlockEnd, 0, 0, 0, 0, 0, 0, 0, &Data::releaseStack, 0,     \
      msg::EndreleaseWithoutRelease)                                                                      \
    X(press, L"press", Z_press, KeyBlock, 0x50, 0x51, 0, 0, 0, kIoLimit, 0, &Data::pressStack, 0, nullptr) \
    X(holdpress, L"holdpress", Z_press_hold, SingleOperand, 0x52, 0x53, 0, 0, 0, kIoLimit, 0, nullptr, 0,  \
      nullptr)                                                                                            \
    X(endpress, L"endpress", Z_press_end, BlockEnd, 0, 0, 0, 0, 0, 0, 0, &Data::pressStack, 0,             \
      msg::EndpressWithoutPress)                                                                          \
    X(retjump, L"retjump", Z_retjump, Jump, 90018, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                  \
    X(retjumptimer1, L"retjumptimer1", Z_retjumptimer1, Jump, 90130, 0, 0, 0, 0, 0, 0, nullptr, 0,         \
      nullptr)                                                                                            \
    X(return_, L"return", Z_return, NoOperand, 0x13, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                \
    X(send, L"send", Z_send, Send, 0x41, 0x42, 0x43, 0x44, 0, 255, 0, nullptr, kEndsAfterText, nullptr)    \
    X(sendbus, L"sendbus", Z_sendbus, SendBus, 0xBE, 0xBF, 0xC0, 0xC1, 1, kBusLimit, 0, nullptr, 0,        \
      nullptr)                                                                                            \
    X(sendvartobus, L"sendvartobus", Z_sendvartobus, VarOperand, 0xC8, 0, 0, 0, 0, 0, 0, nullptr, 0,     \
      nullptr)                                                                                            \
    X(sendir, L"sendir", Z_sendir, SendIr, 0xE0, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                    \
    X(setbaud, L"setbaud", Z_setbaud, Baud, 0x3F, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)                   \
    X(setsetting, L"setsetting", Z_setsetting, Setting, 0x40, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)       \
    X(setstr, L"setstr", Z_setstr, StrAssign, 0x03, 0x04, 0x05, 0x08, 0, 255, L'=', nullptr, 0, nullptr)   \
    X(setvar, L"setvar", Z_setvar, VarAssign, 0x01, 0x06, 0, 0, -32767, 32767, L'=', nullptr, 0, nullptr)  \
    X(settqpbaud, L"settqpbaud", Z_tqpsetbaud, Baud, 0xA3, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)          \
    X(settqpsetting, L"settqpsetting", Z_tqpsetsetting, Setting, 0xA4, 0, 0, 0, 0, 0, 0, nullptr, 0,       \
      nullptr)                                                                                            \
    X(setbusrs232setting, L"setbusrs232setting", Z_setbusrs232setting, BusSetting, 0xC7, 0, 0, 0, 1,       \
      kBusLimit, 0, nullptr, 0, nullptr)                                                                  \
    X(strtobuffer, L"strtobuffer", Z_strtobuffer, StringOperand, 0x07, 0, 0, 0, 0, 0, 0, nullptr, 0,       \
      nullptr)                                                                                            \
    X(strtobusbuffer, L"strtobusbuffer", Z_strtobusbuffer, StrToBusBuffer, 0xB9, 0, 0, 0, 1, kBusLimit, 0, \
      nullptr, 0, nullptr)                                                                                \
    X(strtotqpbuffer, L"strtotqpbuffer", Z_strtotqpbuffer, StringOperand, 0x09, 0, 0, 0, 0, 0, 0, nullptr, \
      0, nullptr)                                                                                         \
    X(setbusrs232baud, L"setbusrs232baud", Z_setbusrs232baud, BusBaud, 0xC6, 0, 0, 0, 1, kBusLimit, 0,     \
      nullptr, 0, nullptr)                                                                                \
    X(strtovar, L"strtovar", Z_strtovar, StrToVar, 0x7D, 0x7E, 0, 0, 0, 255, 0, nullptr, 0, nullptr)       \
    X(subvar, L"subvar", Z_subvar, VarAssign, 0x21, 0x22, 0, 0, -32767, 32767, L',', nullptr, 0, nullptr)  \
    X(settimer, L"settimer", Z_timerset, SetTimer, 0x83, 0, 0, 0, 0, 600, 0, nullptr, 0, nullptr)          \
    X(timerstop, L"timerstop", Z_timerstop, NoOperand, 0x84, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)        \
    X(timergo, L"timergo", Z_timergo, NoOperand, 0x85, 0, 0, 0, 0, 0, 0, nullptr, 0, nullptr)              \
    X(vartostr, L"vartostr", Z_vartostr, VarToStr, 0xAF, 0, 0, 0, 0, 255, 0, nullptr, 0, nullptr)          \
    X(tqpsend, L"tqpsend", Z_tqpsend, Send, 0xA5, 0xA6, 0xA7, 0xA8, 0, 255, 0, nullptr, 0, nullptr)

// The shapes named in the table, each a Compiler member taking (int line, const CommandRow&).
#define TQC_SHAPES(X)                                                                                    \
    X(SingleOperand) X(VarAssign) X(Calc) X(Count) X(CountEnd) X(If) X(Else) X(EndIf) X(Jump)            \
    X(NoOperand) X(KeyBlock) X(BlockEnd) X(StrAssign) X(Find) X(DelStrPos) X(StrToVar) X(VarToStr)       \
    X(ByteToStr) X(GetStrLen) X(StringOperand) X(StrToBusBuffer) X(SetTimer) X(Blk) X(GetBlk) X(PortIn)  \
    X(Adcin) X(MemRead) X(MemWrite) X(VarOperand) X(Send) X(SendBus) X(SendIr) X(Baud)   \
    X(Setting) X(BusBaud) X(BusSetting) X(DefVar) X(DefStr)
