#include "lsp/MessageCodes.h"

#include "compiler/Messages.h"

namespace lsp {

std::string CodeOf(const wxString& message) {
#define TQC_CODE(name) \
    { msg::name, #name }
    static const struct {
        const wchar_t* text;
        const char* code;
    } codes[] = {TQC_CODE(ParamMissing),
                 TQC_CODE(ParamWrong),
                 TQC_CODE(ParamMissingOrWrong),
                 TQC_CODE(ParamMissingVarUndefined),
                 TQC_CODE(ParamWrongStrUndefined),
                 TQC_CODE(VarUndefined),
                 TQC_CODE(StrUndefined),
                 TQC_CODE(MarkUndefined),
                 TQC_CODE(VarNotAllowed),
                 TQC_CODE(OutOfRange),
                 TQC_CODE(OutOfRangeSz),
                 TQC_CODE(LineError),
                 TQC_CODE(TooMany),
                 TQC_CODE(TooManyCap),
                 TQC_CODE(TooManyOrWrong),
                 TQC_CODE(TooManyLineError),
                 TQC_CODE(EqualsMissing),
                 TQC_CODE(StringTooLong),
                 TQC_CODE(TextTooLong),
                 TQC_CODE(QuotesMissing),
                 TQC_CODE(ElseWithoutIf),
                 TQC_CODE(ElseAfterEndif),
                 TQC_CODE(EndifWithoutIf),
                 TQC_CODE(EndcountWithoutCount),
                 TQC_CODE(EndpressWithoutPress),
                 TQC_CODE(EndpushWithoutPush),
                 TQC_CODE(EndreleaseWithoutRelease),
                 TQC_CODE(BadIdentifierChar),
                 TQC_CODE(KeywordAsName),
                 TQC_CODE(TooManyVariables),
                 TQC_CODE(VariableExists),
                 TQC_CODE(NameIsString),
                 TQC_CODE(TooManyStrings),
                 TQC_CODE(StringExists),
                 TQC_CODE(NameIsVariable),
                 TQC_CODE(OutOfAllowedRange),
                 TQC_CODE(StringMemoryFull),
                 TQC_CODE(IncludeQuotes),
                 TQC_CODE(IncludeMissing),
                 TQC_CODE(DefineLineError),
                 TQC_CODE(SemicolonMissing),
                 TQC_CODE(DefineExists),
                 TQC_CODE(MarkExists),
                 TQC_CODE(BalancePress),
                 TQC_CODE(BalancePush),
                 TQC_CODE(BalanceRelease),
                 TQC_CODE(BalanceIf),
                 TQC_CODE(BalanceCount),
                 TQC_CODE(TooManyTokens),
                 TQC_CODE(TooManyLines),
                 TQC_CODE(TooManyMarks),
                 TQC_CODE(TooManyDefines),
                 TQC_CODE(ImageFull),
                 TQC_CODE(NestingTooDeep),
                 TQC_CODE(DefineRecursion),
                 TQC_CODE(TextTooLarge),
                 TQC_CODE(IncludeTooLarge),
                 TQC_CODE(IncludeUnreadable)};
#undef TQC_CODE
    for (const auto& row : codes)
        if (message == row.text) return row.code;
    return std::string();
}

}  // namespace lsp
