// Encodings and error messages of the non-block commands, one table per command family.
// Every script runs after the common declarations: variables n, x, y (0, 1, 2) and strings
// s (0, length 4) and t (1, length 10); the image is compared from the first command cell on.
// Commands that share a shape (see compiler/commands/CommandTable.h) have the shape's checks
// tested once; the others show their own opcodes, separator and range edges, often in one row.
// Number notations, the tokenizer and the shorthand assignments are tested in DriverTest.cpp.
#include "CompileHelpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tqc_test::Case;
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
        {__LINE__, {"setvar x = 5"}, "01 01 00 05", ""},
        {__LINE__, {"setvar x = y"}, "06 01 02", ""},
        {__LINE__, {"setvar x = 32767"}, "01 01 7F FF", ""},
        {__LINE__, {"setvar x = -32767"}, "01 01 80 01", ""},
        {__LINE__, {"setvar x = 32768"}, "", kRange},
        {__LINE__, {"setvar x = -32768"}, "", kRange},
        // a number beyond the int range reads as its limit: out of range, never wrapped into it
        {__LINE__, {"setvar x = -99999999999"}, "", kRange},
        {__LINE__, {"setvar x = - 5 , 7"}, "01 01 FF FB", ""},
        // a rejected constant is reported and compiled as 0
        {__LINE__, {"setvar x = abc"}, "01 01 00 00", "Parameter falsch"},
        // checks, each one before the next
        {__LINE__, {"setvar q , 5 , 6"}, "", kLine},
        {__LINE__, {"setvar q ="}, "", "Parameter fehlt"},
        {__LINE__, {"setvar q = 5 , 6"}, "", "Parameter fehlt/falsch"},
        {__LINE__, {"setvar q = 5"}, "", "Variable nicht definiert"},
        // addvar and subvar: the same shape with "," and opcodes of their own
        {__LINE__,
         {"addvar x , 5", "addvar x , y", "addvar x , -32767", "addvar x , 32768"},
         "1E 01 00 05 1F 01 02 1E 01 80 01",
         kRange},
        {__LINE__, {"subvar x , 32767", "subvar y , x", "subvar x , -32768"}, "21 01 7F FF 22 02 01", kRange},
        {__LINE__, {"addvar x = 5"}, "", kLine},
        {__LINE__, {"subvar x = 1"}, "", kLine},
    });
}

TEST(CommandEncoding, Calc) {
    RunAfterDeclarations({
        {__LINE__, {"calc x = 7 + 3"}, "35 01 00 07 01 00 03", ""},
        {__LINE__, {"calc x = 7 + y"}, "38 01 00 07 01 02", ""},
        {__LINE__, {"calc x = y + 3"}, "36 01 02 01 00 03", ""},
        {__LINE__, {"calc x = y + x"}, "37 01 02 01 01", ""},
        // the operators - * / | & % are 2 to 7
        {__LINE__,
         {"calc x = y - 1", "calc x = y * 1", "calc x = y / 1", "calc x = y | 1", "calc x = y & 1", "calc x = y % 10"},
         "36 01 02 02 00 01 36 01 02 03 00 01 36 01 02 04 00 01 36 01 02 05 00 01 36 01 02 06 00 01 36 01 02 07 00 0A",
         ""},
        // negative operands: the operator moves one token to the right
        {__LINE__, {"calc x = -5 - y"}, "38 01 FF FB 02 02", ""},
        {__LINE__, {"calc x = y - -5"}, "36 01 02 02 FF FB", ""},
        {__LINE__, {"calc x = 32767 + -32767"}, "35 01 7F FF 01 80 01", ""},
        {__LINE__, {"calc x = 1 + 2 , 9"}, "35 01 00 01 01 00 02", ""},
        {__LINE__, {"calc x = 32768 + 1"}, "", kRange},
        {__LINE__, {"calc x = 1 + 32768"}, "", kRange},
        {__LINE__, {"calc x = -32768 + y"}, "", kRange},
        {__LINE__, {"calc x = y + -32768"}, "", kRange},
        // checks, each one before the next
        {__LINE__, {"calc q , 1 + 2"}, "", "Parameter fehlt / Variable nicht definiert"},
        {__LINE__, {"calc x , 1 + 2"}, "", "= fehlt"},
        {__LINE__, {"calc x ="}, "", "Parameter fehlt"},
        {__LINE__, {"calc x = y"}, "", kLine},
        {__LINE__, {"calc x = 1 ! 2"}, "", kLine},
    });
}

TEST(CommandEncoding, StringAssignment) {
    RunAfterDeclarations({
        {__LINE__, {"setstr s = \"ABCD\""}, "03 00 04 41 42 43 44", ""},
        // the length counts the converted text
        {__LINE__, {"setstr s = \"A[0D]\""}, "03 00 02 41 0D", ""},
        {__LINE__, {"setstr s = \"\""}, "03 00 00", ""},
        {__LINE__, {"setstr s = \"A B\" , 1"}, "03 00 03 41 20 42", ""},
        {__LINE__, {"setstr s = \"ABCDE\""}, "", "String zu lang"},
        {__LINE__, {"setstr s = t"}, "04 00 01", ""},
        {__LINE__, {"setstr s = 0"}, "05 00 00", ""},
        {__LINE__, {"setstr s = 255 , 1"}, "05 00 FF", ""},
        {__LINE__, {"setstr s = 256"}, "", kRangeSz},
        {__LINE__, {"setstr s = x"}, "08 00 01", ""},
        // checks, each one before the next
        {__LINE__, {"setstr q , 1"}, "", kLine},
        {__LINE__, {"setstr q ="}, "", "Parameter fehlt"},
        {__LINE__, {"setstr q = 1"}, "", "String nicht definiert"},
        {__LINE__, {"setstr s = x , 1"}, "", "Zu viele Parameter"},
        {__LINE__, {"setstr s = \"AB"}, "", kLine},
        {__LINE__, {"setstr s = - 1"}, "", kLine},
        {__LINE__, {"setstr s = zz"}, "", kLine},
        // addstr: the same shape with "," and opcodes of its own; the length is the target's
        {__LINE__,
         {"addstr s , \"AB[0D][0A]\"", "addstr t , \"ABCDE\""},
         "78 00 04 41 42 0D 0A 78 01 05 41 42 43 44 45",
         ""},
        {__LINE__,
         {"addstr s , t", "addstr s , 65", "addstr s , x", "addstr s , 256"},
         "79 00 01 7A 00 41 7B 00 01",
         kRangeSz},
        {__LINE__, {"addstr s = 1"}, "", kLine},
    });
}

TEST(CommandEncoding, StringOperations) {
    RunAfterDeclarations({
        {__LINE__, {"find x , s ( \"OK\" )"}, "AD 01 00 02 4F 4B", ""},
        {__LINE__, {"find x , s ( \"OK\" ) 1"}, "AD 01 00 02 4F 4B", ""},
        {__LINE__, {"find x , s ( 255 )"}, "AA 01 00 FF", ""},
        {__LINE__, {"find x , s ( y )"}, "AB 01 00 02", ""},
        {__LINE__, {"find x , s ( t )"}, "AC 01 00 01", ""},
        {__LINE__, {"find x , s ( " + Quoted(255) + " )"}, "AD 01 00 FF " + Repeat("41", 255), ""},
        {__LINE__, {"find x , s ( " + Quoted(256) + " )"}, "", "Text zu lang"},
        {__LINE__, {"find x , s ( 256 )"}, "", kRange},
        {__LINE__, {"find x , s ( 13"}, "", kLine},
        {__LINE__, {"find x , s ( \"OK\""}, "", kLine},
        {__LINE__, {"find q = q ( 1 )"}, "", "Variable nicht definiert"},
        {__LINE__, {"find x = q ( 1 )"}, "", kLine},
        {__LINE__, {"find x , q ( 1"}, "", "String nicht definiert"},
        {__LINE__, {"delstrpos s , 0", "delstrpos s , 255", "delstrpos s , x"}, "E7 00 00 E7 00 FF E8 00 01", ""},
        {__LINE__, {"delstrpos s , 256"}, "", kRange},
        {__LINE__, {"delstrpos q = 1"}, "", "String nicht definiert"},
        {__LINE__, {"delstrpos s = 1"}, "", kLine},
        {__LINE__, {"delstrpos s , -1"}, "", kLine},
        {__LINE__, {"strtovar x , s ( y )", "strtovar x , s ( 255 )"}, "7E 01 00 02 7D 01 00 FF", ""},
        {__LINE__, {"strtovar x , s ( 256 )"}, "", kRange},
        {__LINE__, {"strtovar x , s ( 3 ) 4"}, "", kLine},
        {__LINE__, {"strtovar x , s ( 3"}, "", kLine},
        {__LINE__, {"strtovar q , q ( 1 )"}, "", "Variable nicht definiert"},
        {__LINE__, {"strtovar x = q ( 1 )"}, "", kLine},
        {__LINE__, {"strtovar x , q ( 1 )"}, "", "String nicht definiert"},
        {__LINE__, {"vartostr s , x ( 255 )"}, "AF 00 01 FF", ""},
        {__LINE__, {"vartostr s , x ( y )"}, "AF 00 01 00", "Parameter falsch"},
        {__LINE__, {"vartostr s , x ( 256 )"}, "", kRange},
        {__LINE__, {"vartostr s , x ( 1 ) 2"}, "", kLine},
        {__LINE__, {"vartostr q , q ( 1 )"}, "", "String nicht definiert"},
        {__LINE__, {"vartostr s = q ( 1 )"}, "", kLine},
        {__LINE__, {"vartostr s , q ( 1 )"}, "", "Variable nicht definiert"},
        {__LINE__, {"bytetostr s , 65 ( 3 )"}, "DB 00 41 03", ""},
        {__LINE__, {"bytetostr s , 65 ( y )"}, "DC 00 41 02", ""},
        {__LINE__, {"bytetostr s , x ( 3 )"}, "D9 00 01 03", ""},
        {__LINE__, {"bytetostr s , x ( y )"}, "DA 00 01 02", ""},
        {__LINE__, {"bytetostr s , 255 ( 0 ) 4"}, "DB 00 FF 00", ""},
        {__LINE__, {"bytetostr s , 256 ( 3 )"}, "", kRange},
        {__LINE__, {"bytetostr s , 1 ( 256 )"}, "", kRange},
        {__LINE__, {"bytetostr s , 1 ( 2"}, "", kLine},
        {__LINE__, {"bytetostr q , 1 ( 2 )"}, "", "String nicht definiert"},
        {__LINE__, {"getstrlen x , s"}, "80 01 00", ""},
        {__LINE__, {"getstrlen q = s"}, "", kLine},
        {__LINE__, {"getstrlen q ,"}, "", "Parameter fehlt"},
        {__LINE__, {"getstrlen q , s , 1"}, "", kTooMany},
        {__LINE__, {"getstrlen q , q"}, "", "Variable nicht definiert"},
        {__LINE__, {"getstrlen x , q"}, "", "String nicht definiert"},
    });
}

TEST(CommandEncoding, StringBuffers) {
    RunAfterDeclarations({
        // strtobuffer, strtotqpbuffer and getfirmware share one shape
        {__LINE__, {"strtobuffer t", "strtotqpbuffer t", "getfirmware t"}, "07 01 09 01 CA 01", ""},
        {__LINE__, {"strtobuffer"}, "", "Parameter fehlt"},
        {__LINE__, {"strtotqpbuffer q , 1"}, "", kTooMany},
        {__LINE__, {"strtobuffer x"}, "", "String nicht definiert"},
        {__LINE__, {"strtobusbuffer 1 , s"}, "B9 01 00", ""},
        {__LINE__, {"strtobusbuffer 50 , t , 9"}, "B9 32 01", ""},
        {__LINE__, {"strtobusbuffer 0 , s"}, "", kRangeSz},
        {__LINE__, {"strtobusbuffer 51 , s"}, "", kRangeSz},
        {__LINE__, {"strtobusbuffer 1 = s"}, "", kLine},
        {__LINE__, {"strtobusbuffer 1 ,"}, "", "Parameter fehlt"},
        {__LINE__, {"strtobusbuffer 51 , q"}, "", "Parameter falsch / String nicht definiert"},
    });
}

TEST(CommandEncoding, InputsAndOutputs) {
    RunAfterDeclarations({
        {__LINE__, {"on 0"}, "0A 00 00", ""},
        {__LINE__, {"on 1023"}, "0A 03 FF", ""},
        {__LINE__, {"on x"}, "0B 01", ""},
        {__LINE__, {"on 1024"}, "", kRange},
        {__LINE__, {"on 4294967297"}, "", kRange},  // 2^32 + 1, never 1
        // "-" and "1" are two tokens, so a token stands after the operand
        {__LINE__, {"on -1"}, "", kTooMany},
        {__LINE__, {"on"}, "", "Parameter fehlt"},
        {__LINE__, {"on 1 , 2"}, "", kTooMany},
        {__LINE__, {"on xyz"}, "0A 00 00", "Parameter falsch"},
        // off, din, dout (and delay, holdpress) share the shape of on
        {__LINE__, {"off 1023", "off y", "off 1024"}, "0C 03 FF 0D 02", kRange},
        {__LINE__, {"din 0", "din x", "din 1024"}, "28 00 00 29 01", kRange},
        {__LINE__, {"dout 1023", "dout y", "dout 1024"}, "2A 03 FF 2B 02", kRange},
        {__LINE__, {"blk x , 500 ( 3 )"}, "B5 01 01 F4 03", ""},
        {__LINE__, {"blk 0 , 0 ( 1 )"}, "B4 00 00 00 00 01", ""},
        {__LINE__, {"blk 1023 , 30000 ( 250 )"}, "B4 03 FF 75 30 FA", ""},
        {__LINE__, {"blk x , y ( 3 )"}, "B5 01 00 00 03", "Parameter falsch"},
        {__LINE__, {"blk 1024 , 1 ( 1 )"}, "", kRange},
        {__LINE__, {"blk 5 , 30001 ( 3 )"}, "", kRange},
        {__LINE__, {"blk 5 , 500 ( 0 )"}, "", kRange},
        {__LINE__, {"blk 5 , 500 ( 251 )"}, "", kRange},
        {__LINE__, {"blk 5 , 500 , 3"}, "", kLine},
        {__LINE__, {"blk 5 = 500 ( 3 )"}, "", kLine},
        {__LINE__, {"blk 5 , 500 ( 3"}, "", kLine},
        {__LINE__, {"blk 1024 , 500 ( 3 ) 4"}, "", kLine},
        {__LINE__, {"getblk x , 1023"}, "B6 01 03 FF", ""},
        {__LINE__, {"getblk x , 1024"}, "", kRange},
        {__LINE__, {"getblk q = 1"}, "", kLine},
        {__LINE__, {"getblk q ,"}, "", "Parameter fehlt"},
        {__LINE__, {"getblk q , -1"}, "", kTooMany},
        {__LINE__, {"getblk q , 1"}, "", "Variable nicht definiert"},
        {__LINE__, {"portin x , y", "portin x , 1023"}, "18 01 02 17 01 03 FF", ""},
        {__LINE__, {"portin x , 1024"}, "", kRange},
        {__LINE__, {"portin q = 1"}, "", kLine},
        {__LINE__, {"portin q ,"}, "", "Parameter fehlt"},
        {__LINE__, {"portin q , 1 , 2"}, "", kTooMany},
        {__LINE__, {"portin q , 1"}, "", "Variable nicht definiert"},
        {__LINE__, {"adcin x , y", "adcin x , 255"}, "E5 01 02 E4 01 FF", ""},
        {__LINE__, {"adcin x , 256"}, "", kRange},
        {__LINE__, {"adcin wert = 7"}, "", "Variable nicht definiert"},
        {__LINE__, {"adcin x = 7"}, "", kLine},
        {__LINE__, {"adcin x , -1"}, "", kLine},
    });
}

TEST(CommandEncoding, TimersMemoryAndDevice) {
    RunAfterDeclarations({
        {__LINE__, {"delay 0", "delay 65535", "delay x", "delay 65536"}, "0F 00 00 0F FF FF 10 01", kRange},
        {__LINE__, {"settimer 0"}, "83 00 00", ""},
        {__LINE__, {"settimer 600"}, "83 02 58", ""},
        {__LINE__, {"settimer 601"}, "", kRange},
        {__LINE__, {"settimer"}, "", "Parameter fehlt"},
        {__LINE__, {"settimer x , 1"}, "", kTooMany},
        {__LINE__, {"settimer x"}, "", "Variable nicht erlaubt"},
        // timerstop and timergo share the shape of return
        {__LINE__, {"timerstop", "timergo"}, "84 85", ""},
        {__LINE__, {"memread x , 511"}, "99 01 01 FF", ""},
        {__LINE__, {"memread x , y"}, "9A 01 02", ""},
        {__LINE__, {"memread x , 512"}, "", kRange},
        {__LINE__, {"memread q = 1 , 2"}, "", "Variable nicht definiert"},
        {__LINE__, {"memread x = 1 , 2"}, "", kLine},
        {__LINE__, {"memread x , 1 , 2"}, "", "Zu viele Parameter"},
        {__LINE__, {"memwrite 511 , -1"}, "9E 01 FF FF FF", ""},
        {__LINE__, {"memwrite 5 , x"}, "9C 00 05 01", ""},
        {__LINE__, {"memwrite x , 5"}, "9F 01 00 05", ""},
        {__LINE__, {"memwrite x , y"}, "9D 01 02", ""},
        {__LINE__, {"memwrite 0 , -32767"}, "9E 00 00 80 01", ""},
        {__LINE__, {"memwrite 5 , 7 ("}, "9E 00 05 00 07", ""},
        {__LINE__, {"memwrite 512 , 1"}, "", kRange},
        {__LINE__, {"memwrite 0 , 32768"}, "", kRange},
        {__LINE__, {"memwrite x , -32768"}, "", kRange},
        {__LINE__, {"memwrite 5 = 7 , 8"}, "", kLine},
        {__LINE__, {"memwrite 5 , 7 , 8"}, "", "Zu viele Parameter"},
        // getproglen and sendvartobus share one shape
        {__LINE__, {"getproglen y", "sendvartobus y"}, "A2 02 C8 02", ""},
        {__LINE__, {"getproglen q , 1"}, "", "zu viele Parameter"},
        {__LINE__, {"getproglen"}, "", "Variable nicht definiert"},
        {__LINE__, {"sendvartobus s"}, "", "Variable nicht definiert"},
    });
}

TEST(CommandEncoding, Send) {
    RunAfterDeclarations({
        {__LINE__, {"send \"OK[0D]\""}, "41 03 4F 4B 0D", ""},
        {__LINE__, {"send \"\""}, "41 00", ""},
        {__LINE__, {"send " + Quoted(255)}, "41 FF " + Repeat("41", 255), ""},
        {__LINE__, {"send " + Quoted(256)}, "", "Text zu lang"},
        {__LINE__, {"send t", "send 255", "send x , 1"}, "42 01 43 FF 44 01", ""},
        {__LINE__, {"send 256"}, "", kRangeSz},
        {__LINE__, {"send -1"}, "", kRangeSz},
        {__LINE__, {"send"}, "", "Parameter fehlt"},
        {__LINE__, {"send \"OK"}, "", "Anführungszeichen fehlen"},
        {__LINE__, {"send \"OK\" 1"}, "", kLine},
        // tqpsend: the shape of send, but a token after the text is ignored
        {__LINE__,
         {"tqpsend \"OK\" 1", "tqpsend t", "tqpsend 65", "tqpsend x", "tqpsend 256"},
         "A5 02 4F 4B A6 01 A7 41 A8 01",
         kRangeSz},
        {__LINE__, {"sendbus 1 , 255"}, "C0 01 FF", ""},
        {__LINE__, {"sendbus 50 , \"AB\""}, "BE 32 02 41 42", ""},
        {__LINE__, {"sendbus 1 , t"}, "BF 01 01", ""},
        {__LINE__, {"sendbus 1 , x"}, "C1 01 01", ""},
        {__LINE__, {"sendbus 1 , " + Quoted(250)}, "BE 01 FA " + Repeat("41", 250), ""},
        {__LINE__, {"sendbus 1 , " + Quoted(251)}, "", "Text zu lang"},
        {__LINE__, {"sendbus 51 , 65"}, "", kRangeSz},
        {__LINE__, {"sendbus 0 , 65"}, "", kRangeSz},
        {__LINE__, {"sendbus 0 , \"AB"}, "", kRangeSz},
        {__LINE__, {"sendbus 0 , x"}, "", kRangeSz},
        {__LINE__, {"sendbus 1 , 256"}, "", kRangeSz},
        {__LINE__, {"sendbus 1 = 65"}, "", kLine},
        {__LINE__, {"sendbus 1 ,"}, "", "Parameter fehlt"},
        {__LINE__, {"sendbus 1 , \"AB"}, "", "Anführungszeichen fehlen"},
        {__LINE__, {"sendir t , 1"}, "E0 01", ""},
        {__LINE__, {"sendir"}, "", "Parameter fehlt"},
        {__LINE__, {"sendir x"}, "", "Parameter falsch / String nicht definiert"},
    });
}

TEST(CommandEncoding, LineParameters) {
    RunAfterDeclarations({
        {__LINE__, {"setbaud 0x123456", "settqpbaud 9600"}, "3F 12 34 56 A3 00 25 80", ""},
        {__LINE__, {"setbaud x"}, "3F 00 00 00", "Parameter falsch"},
        {__LINE__, {"setbaud 99999999999"}, "3F FF FF FF", ""},  // no range: the int limit
        {__LINE__, {"setbaud"}, "", "Parameter fehlt"},
        {__LINE__, {"settqpbaud 1 , 2"}, "", "zu viele Parameter"},
        // parity N/E/O adds 1/2/3, data bits 7/8 add 4/8, stop bits 1/2 add 16/32
        {__LINE__, {"setsetting \"N,8,1\"", "setsetting \"E,7,1\"", "setsetting \"O,8,2\""}, "40 19 40 16 40 2B", ""},
        {__LINE__, {"setsetting \"N,8,1x\""}, "40 19", ""},
        {__LINE__, {"settqpsetting \"E,8,2\""}, "A4 2A", ""},
        {__LINE__, {"setsetting \"n,8,1\""}, "", "Parameter falsch"},
        {__LINE__, {"setsetting \"N8,1\""}, "", "Parameter falsch"},
        {__LINE__, {"setsetting \"N,9,1\""}, "", "Parameter falsch"},
        {__LINE__, {"setsetting \"N,8,3\""}, "", "Parameter falsch"},
        {__LINE__, {"setsetting \"N,8\""}, "", "Parameter falsch"},
        {__LINE__, {"setsetting \"\""}, "", "Parameter falsch"},
        {__LINE__, {"setsetting N,8,1"}, "", kLine},
        {__LINE__, {"setsetting \"N,8,1"}, "", kLine},
        {__LINE__, {"settqpsetting \"N,8,1\" 1"}, "", kLine},
        {__LINE__, {"setbusrs232baud 50 , 115200"}, "C6 32 01 C2 00", ""},
        {__LINE__, {"setbusrs232baud 1 , 1"}, "C6 01 00 00 01", ""},
        {__LINE__, {"setbusrs232baud 2 , 0"}, "", kRangeSz},
        {__LINE__, {"setbusrs232baud 2 , 115201"}, "", kRangeSz},
        {__LINE__, {"setbusrs232baud 0 , 9600"}, "", kRangeSz},
        {__LINE__, {"setbusrs232baud 51 , 0"}, "", kRangeSz},
        {__LINE__, {"setbusrs232baud 2 = 9600"}, "", kLine},
        {__LINE__, {"setbusrs232baud 2 ,"}, "", "Parameter fehlt"},
        {__LINE__, {"setbusrs232baud 0 , 9600 , 1"}, "", "Zu viele Parameter, Fehler in der Zeile"},
        {__LINE__, {"setbusrs232setting 1 , \"N,8,1\"", "setbusrs232setting 50 , \"E,7,1\""}, "C7 01 19 C7 32 16", ""},
        {__LINE__, {"setbusrs232setting 0 , \"X,8,1\""}, "", kRangeSz},
        {__LINE__, {"setbusrs232setting 51 , \"N,8,1\""}, "", kRangeSz},
        {__LINE__, {"setbusrs232setting 2 , \"N,8,3\""}, "", "Parameter falsch"},
        {__LINE__, {"setbusrs232setting 0 , \"\""}, "", "Parameter falsch"},
        {__LINE__, {"setbusrs232setting 0 , \"N,8,1\" 1"}, "", kLine},
        {__LINE__, {"setbusrs232setting 2 = \"N,8,1\""}, "", kLine},
        {__LINE__, {"setbusrs232setting 2 , N,8,1"}, "", kLine},
    });
}

}  // namespace
