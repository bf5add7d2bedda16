// Encodings and error messages of the non-block commands, one table per command family.
// Every script runs after the common declarations: variables n, x, y (0, 1, 2) and strings
// s (0, length 4) and t (1, length 10); the image is compared from the first command cell on.
// Commands that share a shape (see compiler/commands/CommandTable.h) have the shape's checks
// tested once; the others show their own opcodes, separator and range edges, often in one row:
// each line of a row gives its cells or its error, in line order.
// Number notations, the tokenizer and the shorthand assignments are tested in DriverTest.cpp.
#include "CompileHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tqc_test::Case;
using tqc_test::Errs;
using tqc_test::kDeclarationCells;
using tqc_test::kDeclarations;
using tqc_test::Repeat;

const char* const kRange = "Wert ausserhalb des Wertebereich";
const char* const kRangeSz = "Wert außerhalb des Wertebereich";
const char* const kTooMany = "zu viele Parameter/falscher Wert";
const char* const kLine = "Fehler in der Zeile";

void RunAfterDeclarations(const std::vector<Case>& cases) {
    tqc_test::RunTable(cases, kDeclarations, kDeclarationCells);
}

std::string Quoted(int n) { return "\"" + std::string(n, 'A') + "\""; }

TEST(CommandEncoding, SetvarAddvarSubvar) {
    RunAfterDeclarations({
        {__LINE__, {"setvar x = 5", "setvar x = y", "setvar x = 32767", "setvar x = -32767", "setvar x = - 5 , 7"},
         "01 01 00 05 06 01 02 01 01 7F FF 01 01 80 01 01 01 FF FB", ""},
        // a number beyond the int range reads as its limit: out of range, never wrapped into it
        {__LINE__, {"setvar x = 32768", "setvar x = -32768", "setvar x = -99999999999"},
         "", Errs({kRange, kRange, kRange})},
        // a rejected constant is reported and compiled as 0
        {__LINE__, {"setvar x = abc"}, "01 01 00 00", "Parameter falsch"},
        // checks, each one before the next
        {__LINE__, {"setvar q , 5 , 6", "setvar q =", "setvar q = 5 , 6", "setvar q = 5"},
         "", Errs({kLine, "Parameter fehlt", "Parameter fehlt/falsch", "Variable nicht definiert"})},
        // addvar and subvar: the same shape with "," and opcodes of their own
        {__LINE__, {"addvar x , 5", "addvar x , y", "addvar x , -32767", "addvar x , 32768"},
         "1E 01 00 05 1F 01 02 1E 01 80 01", kRange},
        {__LINE__, {"subvar x , 32767", "subvar y , x", "subvar x , -32768"}, "21 01 7F FF 22 02 01", kRange},
        {__LINE__, {"addvar x = 5", "subvar x = 1"}, "", Errs({kLine, kLine})},
    });
}

TEST(CommandEncoding, Calc) {
    RunAfterDeclarations({
        {__LINE__, {"calc x = 7 + 3", "calc x = 7 + y"}, "35 01 00 07 01 00 03 38 01 00 07 01 02", ""},
        {__LINE__, {"calc x = y + 3", "calc x = y + x"}, "36 01 02 01 00 03 37 01 02 01 01", ""},
        // the operators - * / | & % are 2 to 7
        {__LINE__,
         {"calc x = y - 1", "calc x = y * 1", "calc x = y / 1", "calc x = y | 1", "calc x = y & 1", "calc x = y % 10"},
         "36 01 02 02 00 01 36 01 02 03 00 01 36 01 02 04 00 01 36 01 02 05 00 01 36 01 02 06 00 01 36 01 02 07 00 0A",
         ""},
        // negative operands: the operator moves one token to the right
        {__LINE__, {"calc x = -5 - y", "calc x = y - -5"}, "38 01 FF FB 02 02 36 01 02 02 FF FB", ""},
        {__LINE__, {"calc x = 32767 + -32767", "calc x = 1 + 2 , 9"}, "35 01 7F FF 01 80 01 35 01 00 01 01 00 02", ""},
        {__LINE__, {"calc x = 32768 + 1", "calc x = 1 + 32768", "calc x = -32768 + y", "calc x = y + -32768"},
         "", Errs({kRange, kRange, kRange, kRange})},
        // checks, each one before the next
        {__LINE__, {"calc q , 1 + 2", "calc x , 1 + 2", "calc x =", "calc x = y", "calc x = 1 ! 2"},
         "", Errs({"Parameter fehlt / Variable nicht definiert", "= fehlt", "Parameter fehlt", kLine, kLine})},
    });
}

TEST(CommandEncoding, StringAssignment) {
    RunAfterDeclarations({
        // the length counts the converted text
        {__LINE__, {"setstr s = \"ABCD\"", "setstr s = \"A[0D]\"", "setstr s = \"\"", "setstr s = \"A B\" , 1"},
         "03 00 04 41 42 43 44 03 00 02 41 0D 03 00 00 03 00 03 41 20 42", ""},
        {__LINE__, {"setstr s = \"ABCDE\""}, "", "String zu lang"},
        {__LINE__, {"setstr s = t", "setstr s = 0", "setstr s = 255 , 1", "setstr s = x", "setstr s = 256"},
         "04 00 01 05 00 00 05 00 FF 08 00 01", kRangeSz},
        // checks, each one before the next
        {__LINE__, {"setstr q , 1", "setstr q =", "setstr q = 1", "setstr s = x , 1"},
         "", Errs({kLine, "Parameter fehlt", "String nicht definiert", "Zu viele Parameter"})},
        {__LINE__, {"setstr s = \"AB", "setstr s = - 1", "setstr s = zz"}, "", Errs({kLine, kLine, kLine})},
        // addstr: the same shape with "," and opcodes of its own; the length is the target's
        {__LINE__, {"addstr s , \"AB[0D][0A]\"", "addstr t , \"ABCDE\""},
         "78 00 04 41 42 0D 0A 78 01 05 41 42 43 44 45", ""},
        {__LINE__, {"addstr s , t", "addstr s , 65", "addstr s , x", "addstr s , 256", "addstr s = 1"},
         "79 00 01 7A 00 41 7B 00 01", Errs({kRangeSz, kLine})},
    });
}

TEST(CommandEncoding, StringOperations) {
    RunAfterDeclarations({
        {__LINE__,
         {"find x , s ( \"OK\" )", "find x , s ( \"OK\" ) 1", "find x , s ( 255 )", "find x , s ( y )",
          "find x , s ( t )"},
         "AD 01 00 02 4F 4B AD 01 00 02 4F 4B AA 01 00 FF AB 01 00 02 AC 01 00 01", ""},
        {__LINE__, {"find x , s ( " + Quoted(255) + " )"}, "AD 01 00 FF " + Repeat("41", 255), ""},
        {__LINE__, {"find x , s ( " + Quoted(256) + " )", "find x , s ( 256 )"}, "", Errs({"Text zu lang", kRange})},
        {__LINE__, {"find x , s ( 13", "find x , s ( \"OK\"", "find q = q ( 1 )", "find x = q ( 1 )", "find x , q ( 1"},
         "", Errs({kLine, kLine, "Variable nicht definiert", kLine, "String nicht definiert"})},
        {__LINE__, {"delstrpos s , 0", "delstrpos s , 255", "delstrpos s , x"}, "E7 00 00 E7 00 FF E8 00 01", ""},
        {__LINE__, {"delstrpos s , 256", "delstrpos q = 1", "delstrpos s = 1", "delstrpos s , -1"},
         "", Errs({kRange, "String nicht definiert", kLine, kLine})},
        {__LINE__, {"strtovar x , s ( y )", "strtovar x , s ( 255 )"}, "7E 01 00 02 7D 01 00 FF", ""},
        {__LINE__,
         {"strtovar x , s ( 256 )", "strtovar x , s ( 3 ) 4", "strtovar x , s ( 3", "strtovar q , q ( 1 )",
          "strtovar x = q ( 1 )", "strtovar x , q ( 1 )"},
         "", Errs({kRange, kLine, kLine, "Variable nicht definiert", kLine, "String nicht definiert"})},
        {__LINE__, {"vartostr s , x ( 255 )", "vartostr s , x ( y )"}, "AF 00 01 FF AF 00 01 00", "Parameter falsch"},
        {__LINE__,
         {"vartostr s , x ( 256 )", "vartostr s , x ( 1 ) 2", "vartostr q , q ( 1 )", "vartostr s = q ( 1 )",
          "vartostr s , q ( 1 )"},
         "", Errs({kRange, kLine, "String nicht definiert", kLine, "Variable nicht definiert"})},
        {__LINE__,
         {"bytetostr s , 65 ( 3 )", "bytetostr s , 65 ( y )", "bytetostr s , x ( 3 )", "bytetostr s , x ( y )",
          "bytetostr s , 255 ( 0 ) 4"},
         "DB 00 41 03 DC 00 41 02 D9 00 01 03 DA 00 01 02 DB 00 FF 00", ""},
        {__LINE__,
         {"bytetostr s , 256 ( 3 )", "bytetostr s , 1 ( 256 )", "bytetostr s , 1 ( 2", "bytetostr q , 1 ( 2 )"},
         "", Errs({kRange, kRange, kLine, "String nicht definiert"})},
        {__LINE__, {"getstrlen x , s"}, "80 01 00", ""},
        {__LINE__, {"getstrlen q = s", "getstrlen q ,", "getstrlen q , s , 1", "getstrlen q , q", "getstrlen x , q"},
         "", Errs({kLine, "Parameter fehlt", kTooMany, "Variable nicht definiert", "String nicht definiert"})},
    });
}

TEST(CommandEncoding, StringBuffers) {
    RunAfterDeclarations({
        // strtobuffer, strtotqpbuffer and getfirmware share one shape
        {__LINE__, {"strtobuffer t", "strtotqpbuffer t", "getfirmware t"}, "07 01 09 01 CA 01", ""},
        {__LINE__, {"strtobuffer", "strtotqpbuffer q , 1", "strtobuffer x"},
         "", Errs({"Parameter fehlt", kTooMany, "String nicht definiert"})},
        {__LINE__, {"strtobusbuffer 1 , s", "strtobusbuffer 50 , t , 9"}, "B9 01 00 B9 32 01", ""},
        {__LINE__,
         {"strtobusbuffer 0 , s", "strtobusbuffer 51 , s", "strtobusbuffer 1 = s", "strtobusbuffer 1 ,",
          "strtobusbuffer 51 , q"},
         "", Errs({kRangeSz, kRangeSz, kLine, "Parameter fehlt", "Parameter falsch / String nicht definiert"})},
    });
}

TEST(CommandEncoding, InputsAndOutputs) {
    RunAfterDeclarations({
        {__LINE__, {"on 0", "on 1023", "on x"}, "0A 00 00 0A 03 FF 0B 01", ""},
        // 2^32 + 1 is out of range, never 1; "-" and "1" are two tokens, so a token stands after the operand
        {__LINE__, {"on 1024", "on 4294967297", "on -1", "on", "on 1 , 2"},
         "", Errs({kRange, kRange, kTooMany, "Parameter fehlt", kTooMany})},
        {__LINE__, {"on xyz"}, "0A 00 00", "Parameter falsch"},
        // off, din, dout (and delay, holdpress) share the shape of on
        {__LINE__, {"off 1023", "off y", "off 1024"}, "0C 03 FF 0D 02", kRange},
        {__LINE__, {"din 0", "din x", "din 1024"}, "28 00 00 29 01", kRange},
        {__LINE__, {"dout 1023", "dout y", "dout 1024"}, "2A 03 FF 2B 02", kRange},
        {__LINE__, {"blk x , 500 ( 3 )", "blk 0 , 0 ( 1 )", "blk 1023 , 30000 ( 250 )"},
         "B5 01 01 F4 03 B4 00 00 00 00 01 B4 03 FF 75 30 FA", ""},
        {__LINE__, {"blk x , y ( 3 )"}, "B5 01 00 00 03", "Parameter falsch"},
        {__LINE__, {"blk 1024 , 1 ( 1 )", "blk 5 , 30001 ( 3 )", "blk 5 , 500 ( 0 )", "blk 5 , 500 ( 251 )"},
         "", Errs({kRange, kRange, kRange, kRange})},
        {__LINE__, {"blk 5 , 500 , 3", "blk 5 = 500 ( 3 )", "blk 5 , 500 ( 3", "blk 1024 , 500 ( 3 ) 4"},
         "", Errs({kLine, kLine, kLine, kLine})},
        {__LINE__, {"getblk x , 1023"}, "B6 01 03 FF", ""},
        {__LINE__, {"getblk x , 1024", "getblk q = 1", "getblk q ,", "getblk q , -1", "getblk q , 1"},
         "", Errs({kRange, kLine, "Parameter fehlt", kTooMany, "Variable nicht definiert"})},
        {__LINE__, {"portin x , y", "portin x , 1023"}, "18 01 02 17 01 03 FF", ""},
        {__LINE__, {"portin x , 1024", "portin q = 1", "portin q ,", "portin q , 1 , 2", "portin q , 1"},
         "", Errs({kRange, kLine, "Parameter fehlt", kTooMany, "Variable nicht definiert"})},
        {__LINE__, {"adcin x , y", "adcin x , 255"}, "E5 01 02 E4 01 FF", ""},
        {__LINE__, {"adcin x , 256", "adcin wert = 7", "adcin x = 7", "adcin x , -1"},
         "", Errs({kRange, "Variable nicht definiert", kLine, kLine})},
    });
}

TEST(CommandEncoding, TimersMemoryAndDevice) {
    RunAfterDeclarations({
        {__LINE__, {"delay 0", "delay 65535", "delay x", "delay 65536"}, "0F 00 00 0F FF FF 10 01", kRange},
        {__LINE__, {"settimer 0", "settimer 600"}, "83 00 00 83 02 58", ""},
        {__LINE__, {"settimer 601", "settimer", "settimer x , 1", "settimer x"},
         "", Errs({kRange, "Parameter fehlt", kTooMany, "Variable nicht erlaubt"})},
        // timerstop and timergo share the shape of return
        {__LINE__, {"timerstop", "timergo"}, "84 85", ""},
        {__LINE__, {"memread x , 511", "memread x , y"}, "99 01 01 FF 9A 01 02", ""},
        {__LINE__, {"memread x , 512", "memread q = 1 , 2", "memread x = 1 , 2", "memread x , 1 , 2"},
         "", Errs({kRange, "Variable nicht definiert", kLine, "Zu viele Parameter"})},
        {__LINE__,
         {"memwrite 511 , -1", "memwrite 5 , x", "memwrite x , 5", "memwrite x , y", "memwrite 0 , -32767",
          "memwrite 5 , 7 ("},
         "9E 01 FF FF FF 9C 00 05 01 9F 01 00 05 9D 01 02 9E 00 00 80 01 9E 00 05 00 07", ""},
        {__LINE__,
         {"memwrite 512 , 1", "memwrite 0 , 32768", "memwrite x , -32768", "memwrite 5 = 7 , 8",
          "memwrite 5 , 7 , 8"},
         "", Errs({kRange, kRange, kRange, kLine, "Zu viele Parameter"})},
        // getproglen and sendvartobus share one shape
        {__LINE__, {"getproglen y", "sendvartobus y"}, "A2 02 C8 02", ""},
        {__LINE__, {"getproglen q , 1", "getproglen", "sendvartobus s"},
         "", Errs({"zu viele Parameter", "Variable nicht definiert", "Variable nicht definiert"})},
    });
}

TEST(CommandEncoding, Send) {
    RunAfterDeclarations({
        {__LINE__, {"send \"OK[0D]\"", "send \"\""}, "41 03 4F 4B 0D 41 00", ""},
        {__LINE__, {"send " + Quoted(255)}, "41 FF " + Repeat("41", 255), ""},
        {__LINE__, {"send t", "send 255", "send x , 1"}, "42 01 43 FF 44 01", ""},
        {__LINE__, {"send " + Quoted(256), "send 256", "send -1", "send", "send \"OK", "send \"OK\" 1"},
         "", Errs({"Text zu lang", kRangeSz, kRangeSz, "Parameter fehlt", "Anführungszeichen fehlen", kLine})},
        // tqpsend: the shape of send, but a token after the text is ignored
        {__LINE__, {"tqpsend \"OK\" 1", "tqpsend t", "tqpsend 65", "tqpsend x", "tqpsend 256"},
         "A5 02 4F 4B A6 01 A7 41 A8 01", kRangeSz},
        {__LINE__, {"sendbus 1 , 255", "sendbus 50 , \"AB\"", "sendbus 1 , t", "sendbus 1 , x"},
         "C0 01 FF BE 32 02 41 42 BF 01 01 C1 01 01", ""},
        {__LINE__, {"sendbus 1 , " + Quoted(250)}, "BE 01 FA " + Repeat("41", 250), ""},
        {__LINE__,
         {"sendbus 1 , " + Quoted(251), "sendbus 51 , 65", "sendbus 0 , 65", "sendbus 0 , \"AB", "sendbus 0 , x",
          "sendbus 1 , 256"},
         "", Errs({"Text zu lang", kRangeSz, kRangeSz, kRangeSz, kRangeSz, kRangeSz})},
        {__LINE__, {"sendbus 1 = 65", "sendbus 1 ,", "sendbus 1 , \"AB"},
         "", Errs({kLine, "Parameter fehlt", "Anführungszeichen fehlen"})},
        {__LINE__, {"sendir t , 1"}, "E0 01", ""},
        {__LINE__, {"sendir", "sendir x"}, "", Errs({"Parameter fehlt", "Parameter falsch / String nicht definiert"})},
    });
}

TEST(CommandEncoding, LineParameters) {
    RunAfterDeclarations({
        {__LINE__, {"setbaud 0x123456", "settqpbaud 9600"}, "3F 12 34 56 A3 00 25 80", ""},
        {__LINE__, {"setbaud x"}, "3F 00 00 00", "Parameter falsch"},
        {__LINE__, {"setbaud 99999999999"}, "3F FF FF FF", ""},  // no range: the int limit
        {__LINE__, {"setbaud", "settqpbaud 1 , 2"}, "", Errs({"Parameter fehlt", "zu viele Parameter"})},
        // parity N/E/O adds 1/2/3, data bits 7/8 add 4/8, stop bits 1/2 add 16/32
        {__LINE__,
         {"setsetting \"N,8,1\"", "setsetting \"E,7,1\"", "setsetting \"O,8,2\"", "setsetting \"N,8,1x\"",
          "settqpsetting \"E,8,2\""},
         "40 19 40 16 40 2B 40 19 A4 2A", ""},
        {__LINE__,
         {"setsetting \"n,8,1\"", "setsetting \"N8,1\"", "setsetting \"N,9,1\"", "setsetting \"N,8,3\"",
          "setsetting \"N,8\"", "setsetting \"\""},
         "", Errs(std::vector<std::string>(6, "Parameter falsch"))},
        {__LINE__, {"setsetting N,8,1", "setsetting \"N,8,1", "settqpsetting \"N,8,1\" 1"},
         "", Errs({kLine, kLine, kLine})},
        {__LINE__, {"setbusrs232baud 50 , 115200", "setbusrs232baud 1 , 1"}, "C6 32 01 C2 00 C6 01 00 00 01", ""},
        {__LINE__,
         {"setbusrs232baud 2 , 0", "setbusrs232baud 2 , 115201", "setbusrs232baud 0 , 9600", "setbusrs232baud 51 , 0"},
         "", Errs({kRangeSz, kRangeSz, kRangeSz, kRangeSz})},
        {__LINE__, {"setbusrs232baud 2 = 9600", "setbusrs232baud 2 ,", "setbusrs232baud 0 , 9600 , 1"},
         "", Errs({kLine, "Parameter fehlt", "Zu viele Parameter, Fehler in der Zeile"})},
        {__LINE__, {"setbusrs232setting 1 , \"N,8,1\"", "setbusrs232setting 50 , \"E,7,1\""}, "C7 01 19 C7 32 16", ""},
        {__LINE__,
         {"setbusrs232setting 0 , \"X,8,1\"", "setbusrs232setting 51 , \"N,8,1\"", "setbusrs232setting 2 , \"N,8,3\"",
          "setbusrs232setting 0 , \"\""},
         "", Errs({kRangeSz, kRangeSz, "Parameter falsch", "Parameter falsch"})},
        {__LINE__,
         {"setbusrs232setting 0 , \"N,8,1\" 1", "setbusrs232setting 2 = \"N,8,1\"", "setbusrs232setting 2 , N,8,1"},
         "", Errs({kLine, kLine, kLine})},
    });
}

}  // namespace
