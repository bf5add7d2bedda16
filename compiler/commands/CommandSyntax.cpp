// The syntax rows. Separators, operand kinds and ranges follow the handlers and the lo/hi of
// the command table; the I/O and bus limits are the ones every compile sets (1023 and 50).
#include "compiler/commands/CommandSyntax.h"

#include "compiler/commands/CommandTable.h"

#include <iterator>

const CommandSyntax kCommandSyntax[] = {
    // The directives first, as in the editor's keyword list.
    {L"#define", L"#define ;NAME TEXT", L"",
     L"Ersetzt ;NAME im ganzen Skript durch TEXT (h\u00f6chstens 99 Zeichen)."},
    {L"#include", L"#include \"DATEI\"", L"",
     L"F\u00fcgt die Zeilen von DATEI aus dem Ordner des Skripts an dieser Stelle ein."},

    {L"adcin", L"adcin VARIABLE , NUMMER", L"NUMMER: 0 bis 255 oder eine Variable",
     L"Liest den Analogeingang NUMMER in VARIABLE."},
    {L"addstr", L"addstr STRING , WERT",
     L"WERT: \"TEXT\" (h\u00f6chstens so lang wie STRING), ein String, eine Variable oder 0 bis 255",
     L"H\u00e4ngt WERT an STRING an."},
    {L"addvar", L"addvar VARIABLE , WERT", L"WERT: -32767 bis 32767 oder eine Variable",
     L"Addiert WERT zu VARIABLE."},
    {L"blk", L"blk NUMMER , WERT ( ANZAHL )",
     L"NUMMER: 0 bis 1023 oder eine Variable; WERT: 0 bis 30000; ANZAHL: 1 bis 250",
     L"Belegt den Block NUMMER mit WERT und ANZAHL."},
    {L"getblk", L"getblk VARIABLE , NUMMER", L"NUMMER: 0 bis 1023", L"Liest den Block NUMMER in VARIABLE."},
    {L"bytetostr", L"bytetostr STRING , WERT ( POSITION )", L"WERT, POSITION: je 0 bis 255 oder eine Variable",
     L"Schreibt das Zeichen WERT an POSITION in STRING."},
    {L"calc", L"calc VARIABLE = WERT1 OPERATOR WERT2",
     L"WERT1, WERT2: -32767 bis 32767 oder eine Variable; OPERATOR: + - * / | & %",
     L"Legt WERT1 OPERATOR WERT2 in VARIABLE ab (kurz: VARIABLE = WERT1 OPERATOR WERT2)."},
    {L"count", L"count VARIABLE = START , ENDE", L"START, ENDE: -32767 bis 32767 oder eine Variable",
     L"Z\u00e4hlschleife bis endcount: VARIABLE z\u00e4hlt von START bis ENDE."},
    {L"endcount", L"endcount", L"", L"Beendet die Z\u00e4hlschleife von count."},
    {L"defstr", L"defstr NAME , L\u00c4NGE",
     L"L\u00c4NGE: 1 bis 250; h\u00f6chstens 20 Strings mit zusammen 1000 Zeichen",
     L"Legt den String NAME mit L\u00c4NGE Zeichen an."},
    {L"defvar", L"defvar NAME = WERT", L"WERT: -32767 bis 32767; h\u00f6chstens 255 Variablen",
     L"Legt die Variable NAME mit dem Anfangswert WERT an."},
    {L"delay", L"delay ZEIT", L"ZEIT: 0 bis 65535 oder eine Variable", L"Wartet die Zeit ZEIT ab."},
    {L"delstrpos", L"delstrpos STRING , POSITION", L"POSITION: 0 bis 255 oder eine Variable",
     L"L\u00f6scht das Zeichen an POSITION in STRING."},
    {L"din", L"din NUMMER", L"NUMMER: 0 bis 1023 oder eine Variable", L"Legt NUMMER als digitalen Eingang fest."},
    {L"dout", L"dout NUMMER", L"NUMMER: 0 bis 1023 oder eine Variable", L"Legt NUMMER als digitalen Ausgang fest."},
    {L"find", L"find VARIABLE , STRING ( WERT )",
     L"WERT: \"TEXT\" (h\u00f6chstens 255 Zeichen), ein String, eine Variable oder 0 bis 255",
     L"Sucht WERT in STRING und legt die Fundstelle in VARIABLE ab."},
    {L"getfirmware", L"getfirmware STRING", L"", L"Legt die Firmware-Kennung der Steuerung in STRING ab."},
    {L"getproglen", L"getproglen VARIABLE", L"", L"Legt die Programml\u00e4nge der Steuerung in VARIABLE ab."},
    {L"getstrlen", L"getstrlen VARIABLE , STRING", L"", L"Legt die L\u00e4nge von STRING in VARIABLE ab."},
    {L"if", L"if VARIABLE VERGLEICH WERT",
     L"VERGLEICH: = == < <= > >= != || &&; WERT: -32767 bis 32767 oder eine Variable",
     L"F\u00fchrt den Block bis else oder endif aus, wenn der Vergleich zutrifft."},
    {L"else", L"else", L"", L"Beginnt den Block, der l\u00e4uft, wenn der Vergleich von if nicht zutrifft."},
    {L"endif", L"endif", L"", L"Beendet den Block von if."},
    {L"jump", L"jump MARKE", L"", L"Springt zur Marke ::MARKE."},
    {L"memwrite", L"memwrite ZELLE , WERT",
     L"ZELLE: 0 bis 511 oder eine Variable; WERT: -32767 bis 32767 oder eine Variable",
     L"Schreibt WERT in die Speicherzelle ZELLE."},
    {L"memread", L"memread VARIABLE , ZELLE", L"ZELLE: 0 bis 511 oder eine Variable",
     L"Liest die Speicherzelle ZELLE in VARIABLE."},
    {L"off", L"off NUMMER", L"NUMMER: 0 bis 1023 oder eine Variable", L"Schaltet den Ausgang NUMMER aus."},
    {L"on", L"on NUMMER", L"NUMMER: 0 bis 1023 oder eine Variable", L"Schaltet den Ausgang NUMMER ein."},
    {L"portin", L"portin VARIABLE , NUMMER", L"NUMMER: 0 bis 1023 oder eine Variable",
     L"Liest den Port NUMMER in VARIABLE."},
    {L"push", L"push TASTE", L"TASTE: 0 bis 1023 oder eine Variable",
     L"Block bis endpush: l\u00e4uft bei einem kurzen Druck auf TASTE."},
    {L"endpush", L"endpush", L"", L"Beendet den Block von push."},
    {L"release", L"release TASTE", L"TASTE: 0 bis 1023 oder eine Variable",
     L"Block bis endrelease: l\u00e4uft beim Loslassen von TASTE."},
    {L"endrelease", L"endrelease", L"", L"Beendet den Block von release."},
    {L"press", L"press TASTE", L"TASTE: 0 bis 1023 oder eine Variable",
     L"Block bis endpress: l\u00e4uft, wenn TASTE gedr\u00fcckt gehalten wird."},
    {L"holdpress", L"holdpress TASTE", L"TASTE: 0 bis 1023 oder eine Variable",
     L"Wartet, solange TASTE gedr\u00fcckt bleibt."},
    {L"endpress", L"endpress", L"", L"Beendet den Block von press."},
    {L"retjump", L"retjump MARKE", L"", L"Springt zur Marke ::MARKE; return kehrt hierher zur\u00fcck."},
    {L"retjumptimer1", L"retjumptimer1 MARKE", L"",
     L"Springt bei Ablauf von Timer 1 zur Marke ::MARKE; return kehrt zur\u00fcck."},
    {L"return", L"return", L"", L"Kehrt hinter den retjump zur\u00fcck, der hierher gesprungen ist."},
    {L"send", L"send WERT",
     L"WERT: \"TEXT\" (h\u00f6chstens 255 Zeichen), ein String, eine Variable oder 0 bis 255",
     L"Sendet WERT \u00fcber die serielle Schnittstelle."},
    {L"sendbus", L"sendbus ADRESSE , WERT",
     L"ADRESSE: 1 bis 50; WERT: \"TEXT\" (h\u00f6chstens 250 Zeichen), ein String, eine Variable oder 0 bis 255",
     L"Sendet WERT \u00fcber den Bus an das Modul ADRESSE."},
    {L"sendvartobus", L"sendvartobus VARIABLE", L"", L"Sendet VARIABLE \u00fcber den Bus."},
    {L"sendir", L"sendir STRING", L"", L"Sendet STRING als Infrarot-Code."},
    {L"setbaud", L"setbaud BAUD", L"",
     L"Stellt die serielle Schnittstelle auf BAUD Baud (eine Zahl, ohne Bereichspr\u00fcfung)."},
    {L"setsetting", L"setsetting \"PARIT\u00c4T,DATENBITS,STOPPBITS\"",
     L"PARIT\u00c4T: N, E oder O; DATENBITS: 7 oder 8; STOPPBITS: 1 oder 2",
     L"Stellt Parit\u00e4t, Daten- und Stoppbits der seriellen Schnittstelle ein, z. B. \"N,8,1\"."},
    {L"setstr", L"setstr STRING = WERT",
     L"WERT: \"TEXT\" (h\u00f6chstens so lang wie STRING), ein String, eine Variable oder 0 bis 255",
     L"Setzt STRING auf WERT (kurz: STRING = WERT)."},
    {L"setvar", L"setvar VARIABLE = WERT", L"WERT: -32767 bis 32767 oder eine Variable",
     L"Setzt VARIABLE auf WERT (kurz: VARIABLE = WERT)."},
    {L"settqpbaud", L"settqpbaud BAUD", L"",
     L"Stellt den TqP-Anschluss auf BAUD Baud (eine Zahl, ohne Bereichspr\u00fcfung)."},
    {L"settqpsetting", L"settqpsetting \"PARIT\u00c4T,DATENBITS,STOPPBITS\"",
     L"PARIT\u00c4T: N, E oder O; DATENBITS: 7 oder 8; STOPPBITS: 1 oder 2",
     L"Stellt Parit\u00e4t, Daten- und Stoppbits des TqP-Anschlusses ein, z. B. \"N,8,1\"."},
    {L"setbusrs232setting", L"setbusrs232setting ADRESSE , \"PARIT\u00c4T,DATENBITS,STOPPBITS\"",
     L"ADRESSE: 1 bis 50; PARIT\u00c4T: N, E oder O; DATENBITS: 7 oder 8; STOPPBITS: 1 oder 2",
     L"Stellt Parit\u00e4t, Daten- und Stoppbits der RS232-Schnittstelle des Busmoduls ADRESSE ein."},
    {L"strtobuffer", L"strtobuffer STRING", L"", L"Schreibt STRING in den Puffer der seriellen Schnittstelle."},
    {L"strtobusbuffer", L"strtobusbuffer ADRESSE , STRING", L"ADRESSE: 1 bis 50",
     L"Schreibt STRING in den Puffer des Busmoduls ADRESSE."},
    {L"strtotqpbuffer", L"strtotqpbuffer STRING", L"", L"Schreibt STRING in den Puffer des TqP-Anschlusses."},
    {L"setbusrs232baud", L"setbusrs232baud ADRESSE , BAUD", L"ADRESSE: 1 bis 50; BAUD: 1 bis 115200",
     L"Stellt die RS232-Schnittstelle des Busmoduls ADRESSE auf BAUD Baud."},
    {L"strtovar", L"strtovar VARIABLE , STRING ( POSITION )", L"POSITION: 0 bis 255 oder eine Variable",
     L"Liest STRING ab POSITION in VARIABLE."},
    {L"subvar", L"subvar VARIABLE , WERT", L"WERT: -32767 bis 32767 oder eine Variable",
     L"Zieht WERT von VARIABLE ab."},
    {L"settimer", L"settimer ZEIT", L"ZEIT: 0 bis 600", L"Stellt den Timer auf ZEIT."},
    {L"timerstop", L"timerstop", L"", L"H\u00e4lt den Timer an."},
    {L"timergo", L"timergo", L"", L"Startet den Timer."},
    {L"vartostr", L"vartostr STRING , VARIABLE ( POSITION )", L"POSITION: 0 bis 255",
     L"Schreibt VARIABLE ab POSITION in STRING."},
    {L"tqpsend", L"tqpsend WERT",
     L"WERT: \"TEXT\" (h\u00f6chstens 255 Zeichen), ein String, eine Variable oder 0 bis 255",
     L"Sendet WERT \u00fcber den TqP-Anschluss."},
};

const size_t kCommandSyntaxRows = std::size(kCommandSyntax);

// A command added to the table without a row here fails the build, not only the tests.
#define TQC_COUNT_ROW(...) +1
static_assert(std::size(kCommandSyntax) == 2 + (0 TQC_COMMANDS(TQC_COUNT_ROW)), "one syntax row per command");
#undef TQC_COUNT_ROW

const CommandSyntax* FindCommandSyntax(std::wstring_view word) {
    // Exact and case-sensitive, as the compiler compares command words and directives.
    for (const CommandSyntax& row : kCommandSyntax)
        if (word == row.word) return &row;
    return nullptr;
}

std::wstring SyntaxTip(const CommandSyntax& row) {
    std::wstring tip = row.syntax;
    if (*row.ranges) tip.append(L"\n").append(row.ranges);
    return tip.append(L"\n").append(row.meaning);
}
