// Encodings and error messages of the non-block commands, by shape (compiler/commands/CommandTable.h):
// the forms the examples' listings (GoldenTest.cpp) do not show, the range edges, and each check
// in the order the shape makes it, with its message and no cells. A command that shares its
// shape with one here differs only in its table row, which CommandSyntaxTest.cpp holds against
// the documented ranges and separators; the disassembler test decodes every form's cells.
// The lines run after the common declarations: x is variable 1, y variable 2, s string 0, t string 1.
#include "CompileHelpers.h"

#include <string>

namespace {

using tqc_test::kDeclarations;
using tqc_test::Repeat;

std::string Quoted(int n) { return "\"" + std::string(n, 'A') + "\""; }

TEST(CommandEncoding, Variables) {
    tqc_test::ExpectSteps({
        // words in two's complement; a "-" before the number is a token of its own
        {"setvar x = y", "06 01 02"}, {"setvar x = 32767", "01 01 7F FF"}, {"setvar x = -32767", "01 01 80 01"},
        {"setvar x = - 5 , 7", "01 01 FF FB"}, {"setvar x = 32768", "!range"}, {"setvar x = -32768", "!range"},
        {"setvar q , 5 , 6", "!line"}, {"setvar q =", "!missing"}, {"setvar q = 5 , 6", "!Parameter fehlt/falsch"},
        {"setvar q = 5", "!novar"},
        // the forms K,K K,V V,V; the operators + - * / | & % are 1 to 7; a negative A moves the operator
        {"calc x = 7 + 3", "35 01 00 07 01 00 03"}, {"calc x = 7 - y", "38 01 00 07 02 02"},
        {"calc x = y * x", "37 01 02 03 01"}, {"calc x = y / 1", "36 01 02 04 00 01"},
        {"calc x = y | 1", "36 01 02 05 00 01"}, {"calc x = y & 1", "36 01 02 06 00 01"},
        {"calc x = y % 10", "36 01 02 07 00 0A"}, {"calc x = -5 - y", "38 01 FF FB 02 02"},
        {"calc x = y - -5", "36 01 02 02 FF FB"}, {"calc x = 32767 + -32767", "35 01 7F FF 01 80 01"},
        {"calc x = 1 + 2 , 9", "35 01 00 01 01 00 02"}, {"calc x = 32768 + 1", "!range"},
        {"calc x = y + -32768", "!range"}, {"calc q , 1 + 2", "!Parameter fehlt / Variable nicht definiert"},
        {"calc x , 1 + 2", "!= fehlt"}, {"calc x =", "!missing"}, {"calc x = y", "!line"}, {"calc x = 1 ! 2", "!line"},
    }, kDeclarations);
}

TEST(CommandEncoding, Strings) {
    tqc_test::ExpectSteps({
        // a text literal: its length after the bracket notation, then its characters
        {"setstr s = \"A[0D]\"", "03 00 02 41 0D"}, {"setstr s = \"\"", "03 00 00"},
        {"setstr s = \"A B\" , 1", "03 00 03 41 20 42"}, {"setstr s = \"ABCDE\"", "!String zu lang"},
        {"setstr s = t", "04 00 01"}, {"setstr s = 0", "05 00 00"}, {"setstr s = 255 , 1", "05 00 FF"},
        {"setstr s = x", "08 00 01"}, {"setstr s = 256", "!rangeSz"}, {"setstr q , 1", "!line"},
        {"setstr q =", "!missing"}, {"setstr q = 1", "!nostr"}, {"setstr s = x , 1", "!Zu viele Parameter"},
        {"setstr s = \"AB", "!line"}, {"setstr s = - 1", "!line"}, {"setstr s = zz", "!line"},
        {"find x , s ( \"OK\" )", "AD 01 00 02 4F 4B"}, {"find x , s ( \"OK\" ) 1", "AD 01 00 02 4F 4B"},
        {"find x , s ( 255 )", "AA 01 00 FF"}, {"find x , s ( y )", "AB 01 00 02"},
        {"find x , s ( " + Quoted(255) + " )", "AD 01 00 FF " + Repeat("41", 255)},
        {"find x , s ( " + Quoted(256) + " )", "!Text zu lang"}, {"find x , s ( 256 )", "!range"},
        {"find x , s ( 13", "!line"}, {"find x , s ( \"OK\"", "!line"}, {"find q = q ( 1 )", "!novar"},
        {"find x = q ( 1 )", "!line"}, {"find x , q ( 1", "!nostr"},
        {"delstrpos s , 255", "E7 00 FF"}, {"delstrpos s , x", "E8 00 01"}, {"delstrpos s , 256", "!range"},
        {"delstrpos q = 1", "!nostr"}, {"delstrpos s = 1", "!line"}, {"delstrpos s , -1", "!line"},
        {"strtovar x , s ( y )", "7E 01 00 02"}, {"strtovar x , s ( 255 )", "7D 01 00 FF"},
        {"strtovar x , s ( 256 )", "!range"}, {"strtovar x , s ( 3 ) 4", "!line"}, {"strtovar x , s ( 3", "!line"},
        {"strtovar q , q ( 1 )", "!novar"}, {"strtovar x = q ( 1 )", "!line"}, {"strtovar x , q ( 1 )", "!nostr"},
        {"vartostr s , x ( 255 )", "AF 00 01 FF"}, {"vartostr s , x ( 256 )", "!range"},
        {"vartostr s , x ( 1 ) 2", "!line"}, {"vartostr q , q ( 1 )", "!nostr"}, {"vartostr s = q ( 1 )", "!line"},
        {"vartostr s , q ( 1 )", "!novar"},
        {"bytetostr s , 65 ( 3 )", "DB 00 41 03"}, {"bytetostr s , 65 ( y )", "DC 00 41 02"},
        {"bytetostr s , x ( 3 )", "D9 00 01 03"}, {"bytetostr s , x ( y )", "DA 00 01 02"},
        {"bytetostr s , 255 ( 0 ) 4", "DB 00 FF 00"}, {"bytetostr s , 256 ( 3 )", "!range"},
        {"bytetostr s , 1 ( 256 )", "!range"}, {"bytetostr s , 1 ( 2", "!line"}, {"bytetostr q , 1 ( 2 )", "!nostr"},
        {"getstrlen x , s", "80 01 00"}, {"getstrlen q = s", "!line"}, {"getstrlen q ,", "!missing"},
        {"getstrlen q , s , 1", "!many"}, {"getstrlen q , q", "!novar"}, {"getstrlen x , q", "!nostr"},
        {"strtobuffer", "!missing"}, {"strtobuffer q , 1", "!many"}, {"strtobuffer x", "!nostr"},
        {"strtobusbuffer 1 , s", "B9 01 00"}, {"strtobusbuffer 50 , t , 9", "B9 32 01"},
        {"strtobusbuffer 0 , s", "!rangeSz"}, {"strtobusbuffer 51 , s", "!rangeSz"}, {"strtobusbuffer 1 = s", "!line"},
        {"strtobusbuffer 1 ,", "!missing"}, {"strtobusbuffer 51 , q", "!Parameter falsch / String nicht definiert"},
    }, kDeclarations);
}

TEST(CommandEncoding, InputsOutputsTimersAndMemory) {
    tqc_test::ExpectSteps({
        // 2^32 + 1 is out of range, never 1; "-" and "1" are two tokens, so a token follows the operand;
        // a constant that is no number is reported and written as 0
        {"on 0", "0A 00 00"}, {"on 1023", "0A 03 FF"}, {"on 1024", "!range"}, {"on 4294967297", "!range"},
        {"on -1", "!many"}, {"on", "!missing"}, {"on 1 , 2", "!many"}, {"on xyz", "0A 00 00 !wrong"},
        // delay has the shape of on, with an unsigned word
        {"delay 65535", "0F FF FF"}, {"delay x", "10 01"}, {"delay 65536", "!range"},
        {"blk x , 500 ( 3 )", "B5 01 01 F4 03"}, {"blk 0 , 0 ( 1 )", "B4 00 00 00 00 01"},
        {"blk 1023 , 30000 ( 250 )", "B4 03 FF 75 30 FA"}, {"blk 1024 , 1 ( 1 )", "!range"},
        {"blk 5 , 30001 ( 3 )", "!range"}, {"blk 5 , 500 ( 0 )", "!range"}, {"blk 5 , 500 ( 251 )", "!range"},
        {"blk 5 , 500 , 3", "!line"}, {"blk 5 = 500 ( 3 )", "!line"}, {"blk 5 , 500 ( 3", "!line"},
        {"blk 1024 , 500 ( 3 ) 4", "!line"},
        {"getblk x , 1023", "B6 01 03 FF"}, {"getblk x , 1024", "!range"}, {"getblk q = 1", "!line"},
        {"getblk q ,", "!missing"}, {"getblk q , -1", "!many"}, {"getblk q , 1", "!novar"},
        {"portin x , y", "18 01 02"}, {"portin x , 1023", "17 01 03 FF"}, {"portin x , 1024", "!range"},
        {"portin q = 1", "!line"}, {"portin q ,", "!missing"}, {"portin q , 1 , 2", "!many"},
        {"portin q , 1", "!novar"},
        {"adcin x , y", "E5 01 02"}, {"adcin x , 255", "E4 01 FF"}, {"adcin x , 256", "!range"},
        {"adcin wert = 7", "!novar"}, {"adcin x = 7", "!line"}, {"adcin x , -1", "!line"},
        {"settimer 0", "83 00 00"}, {"settimer 600", "83 02 58"}, {"settimer 601", "!range"}, {"settimer", "!missing"},
        {"settimer x , 1", "!many"}, {"settimer x", "!Variable nicht erlaubt"},
        {"memread x , 511", "99 01 01 FF"}, {"memread x , y", "9A 01 02"}, {"memread x , 512", "!range"},
        {"memread q = 1 , 2", "!novar"}, {"memread x = 1 , 2", "!line"}, {"memread x , 1 , 2", "!Zu viele Parameter"},
        {"memwrite 511 , -1", "9E 01 FF FF FF"}, {"memwrite x , 5", "9F 01 00 05"}, {"memwrite x , y", "9D 01 02"},
        {"memwrite 0 , -32767", "9E 00 00 80 01"}, {"memwrite 5 , 7 (", "9E 00 05 00 07"},
        {"memwrite 512 , 1", "!range"}, {"memwrite 0 , 32768", "!range"}, {"memwrite x , -32768", "!range"},
        {"memwrite 5 = 7 , 8", "!line"}, {"memwrite 5 , 7 , 8", "!Zu viele Parameter"},
        {"getproglen y", "A2 02"}, {"getproglen q , 1", "!zu viele Parameter"}, {"getproglen", "!novar"},
    }, kDeclarations);
}

TEST(CommandEncoding, SendingAndLineParameters) {
    tqc_test::ExpectSteps({
        {"send \"\"", "41 00"}, {"send " + Quoted(255), "41 FF " + Repeat("41", 255)}, {"send t", "42 01"},
        {"send 255", "43 FF"}, {"send x , 1", "44 01"}, {"send " + Quoted(256), "!Text zu lang"},
        {"send 256", "!rangeSz"}, {"send -1", "!rangeSz"}, {"send", "!missing"},
        {"send \"OK", "!Anführungszeichen fehlen"},
        {"send \"OK\" 1", "!line"}, {"tqpsend \"OK\" 1", "A5 02 4F 4B"},  // tqpsend ignores a token after the text
        {"sendbus 50 , \"AB\"", "BE 32 02 41 42"}, {"sendbus 1 , x", "C1 01 01"},
        {"sendbus 1 , " + Quoted(250), "BE 01 FA " + Repeat("41", 250)},
        {"sendbus 1 , " + Quoted(251), "!Text zu lang"}, {"sendbus 51 , 65", "!rangeSz"},
        {"sendbus 0 , 65", "!rangeSz"}, {"sendbus 0 , \"AB", "!rangeSz"}, {"sendbus 0 , x", "!rangeSz"},
        {"sendbus 1 , 256", "!rangeSz"}, {"sendbus 1 = 65", "!line"}, {"sendbus 1 ,", "!missing"},
        {"sendbus 1 , \"AB", "!Anführungszeichen fehlen"},
        {"sendir t , 1", "E0 01"}, {"sendir", "!missing"}, {"sendir x", "!Parameter falsch / String nicht definiert"},
        // the baud rate in three cells, high first, without a range: beyond the int range its limit
        {"setbaud 0x123456", "3F 12 34 56"}, {"setbaud 99999999999", "3F FF FF FF"}, {"setbaud", "!missing"},
        {"setbaud 1 , 2", "!zu viele Parameter"},
        // parity N/E/O adds 1/2/3, data bits 7/8 add 4/8, stop bits 1/2 add 16/32
        {"setsetting \"E,7,1\"", "40 16"}, {"setsetting \"O,8,2\"", "40 2B"}, {"setsetting \"N,8,1x\"", "40 19"},
        {"setsetting \"n,8,1\"", "!wrong"}, {"setsetting \"N8,1\"", "!wrong"}, {"setsetting \"N,9,1\"", "!wrong"},
        {"setsetting \"N,8,3\"", "!wrong"}, {"setsetting \"N,8\"", "!wrong"}, {"setsetting \"\"", "!wrong"},
        {"setsetting N,8,1", "!line"}, {"setsetting \"N,8,1", "!line"}, {"setsetting \"N,8,1\" 1", "!line"},
        {"setbusrs232baud 50 , 115200", "C6 32 01 C2 00"}, {"setbusrs232baud 1 , 1", "C6 01 00 00 01"},
        {"setbusrs232baud 2 , 0", "!rangeSz"}, {"setbusrs232baud 2 , 115201", "!rangeSz"},
        {"setbusrs232baud 0 , 9600", "!rangeSz"}, {"setbusrs232baud 51 , 0", "!rangeSz"},
        {"setbusrs232baud 2 = 9600", "!line"}, {"setbusrs232baud 2 ,", "!missing"},
        {"setbusrs232baud 0 , 9600 , 1", "!Zu viele Parameter, Fehler in der Zeile"},
        {"setbusrs232setting 1 , \"N,8,1\"", "C7 01 19"}, {"setbusrs232setting 50 , \"E,7,1\"", "C7 32 16"},
        {"setbusrs232setting 0 , \"X,8,1\"", "!rangeSz"}, {"setbusrs232setting 51 , \"N,8,1\"", "!rangeSz"},
        {"setbusrs232setting 2 , \"N,8,3\"", "!wrong"}, {"setbusrs232setting 0 , \"\"", "!wrong"},
        {"setbusrs232setting 0 , \"N,8,1\" 1", "!line"}, {"setbusrs232setting 2 = \"N,8,1\"", "!line"},
        {"setbusrs232setting 2 , N,8,1", "!line"},
    }, kDeclarations);
}

}  // namespace
