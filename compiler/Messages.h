// The compiler's German messages, exactly as the error window shows them.
#pragma once

namespace msg {
constexpr const wchar_t* ParamMissing = L"Parameter fehlt";
constexpr const wchar_t* ParamWrong = L"Parameter falsch";
constexpr const wchar_t* ParamMissingOrWrong = L"Parameter fehlt/falsch";
constexpr const wchar_t* ParamMissingVarUndefined = L"Parameter fehlt / Variable nicht definiert";
constexpr const wchar_t* ParamWrongStrUndefined = L"Parameter falsch / String nicht definiert";
constexpr const wchar_t* VarUndefined = L"Variable nicht definiert";
constexpr const wchar_t* StrUndefined = L"String nicht definiert";
constexpr const wchar_t* MarkUndefined = L"Marke nicht definiert";
constexpr const wchar_t* VarNotAllowed = L"Variable nicht erlaubt";
constexpr const wchar_t* OutOfRange = L"Wert ausserhalb des Wertebereich";
constexpr const wchar_t* OutOfRangeSz = L"Wert außerhalb des Wertebereich";
constexpr const wchar_t* LineError = L"Fehler in der Zeile";
constexpr const wchar_t* TooMany = L"zu viele Parameter";
constexpr const wchar_t* TooManyCap = L"Zu viele Parameter";
constexpr const wchar_t* TooManyOrWrong = L"zu viele Parameter/falscher Wert";
constexpr const wchar_t* TooManyLineError = L"Zu viele Parameter, Fehler in der Zeile";
constexpr const wchar_t* EqualsMissing = L"= fehlt";
constexpr const wchar_t* StringTooLong = L"String zu lang";
constexpr const wchar_t* TextTooLong = L"Text zu lang";
constexpr const wchar_t* QuotesMissing = L"Anführungszeichen fehlen";
constexpr const wchar_t* ElseWithoutIf = L"else ohne if";
constexpr const wchar_t* ElseAfterEndif = L"else nach endif";
constexpr const wchar_t* EndifWithoutIf = L"endif ohne if";
constexpr const wchar_t* EndcountWithoutCount = L"endcount ohne count";
constexpr const wchar_t* EndpressWithoutPress = L"endpress ohne press";
constexpr const wchar_t* EndpushWithoutPush = L"endpush ohne push";
constexpr const wchar_t* EndreleaseWithoutRelease = L"endrelease ohne release";

// Declarations
constexpr const wchar_t* BadIdentifierChar = L"falsches Zeichen im Bezeichner";
constexpr const wchar_t* KeywordAsName = L"Commands dürfen nicht als Bezeichner genutzt werden";
constexpr const wchar_t* TooManyVariables = L"Zu viele Variablen";
constexpr const wchar_t* VariableExists = L"Variable schon definiert";
constexpr const wchar_t* NameIsString = L"Bezeichner schon vorhanden (defstring)";
constexpr const wchar_t* TooManyStrings = L"Zu viele Strings";
constexpr const wchar_t* StringExists = L"String schon definiert";
constexpr const wchar_t* NameIsVariable = L"Bezeichner schon vorhanden (defvar)";
constexpr const wchar_t* OutOfAllowedRange = L"Wert ausserhalb des erlaubten Bereich";
constexpr const wchar_t* StringMemoryFull = L"Gesamtlänge aller Strings zu hoch";

// Driver
constexpr const wchar_t* IncludeQuotes = L"Fehler in der Zeile, \"\" fehlen? ";
constexpr const wchar_t* IncludeMissing = L"include Datei nicht vorhanden ";
constexpr const wchar_t* DefineLineError = L"Fehler in der Zeile ";
constexpr const wchar_t* SemicolonMissing = L"; fehlt";
constexpr const wchar_t* DefineExists = L"Define schon definiert";
constexpr const wchar_t* MarkExists = L"Jump-Marke existiert schon";
constexpr const wchar_t* BalancePress = L"Anzahl press > endpress";
constexpr const wchar_t* BalancePush = L"Anzahl push > endpush";
constexpr const wchar_t* BalanceRelease = L"Anzahl release > endrelease";
constexpr const wchar_t* BalanceIf = L"Anzahl if > endif";
constexpr const wchar_t* BalanceCount = L"Anzahl count > endcount";

// Capacity guards
constexpr const wchar_t* TooManyTokens = L"Zu viele Token in der Zeile (max. 16)";
constexpr const wchar_t* TooManyLines = L"Programm zu lang (max. 31000 Zeilen)";
constexpr const wchar_t* TooManyMarks = L"Zu viele Jump-Marken (max. 5000)";
constexpr const wchar_t* TooManyDefines = L"Zu viele Defines (max. 2000)";
constexpr const wchar_t* ImageFull = L"Programmspeicher voll (max. 99999 Bytes)";
constexpr const wchar_t* NestingTooDeep = L"Blöcke zu tief verschachtelt (max. 5001)";
constexpr const wchar_t* DefineRecursion = L"Define Rekursion";
constexpr const wchar_t* TextTooLarge = L"Programmtext zu groß (max. 32 MB)";
constexpr const wchar_t* IncludeTooLarge = L"include Datei zu groß ";
constexpr const wchar_t* IncludeUnreadable = L"include Datei nicht lesbar ";
}  // namespace msg
