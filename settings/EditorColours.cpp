#include "settings/EditorColours.h"

#include <wx/stc/stc.h>

static_assert(syntax::kEditorStyles[syntax::Commands] == wxSTC_C_WORD &&
                  syntax::kEditorStyles[syntax::Text] == wxSTC_C_STRING &&
                  syntax::kEditorStyles[syntax::Variablen] == wxSTC_C_WORD2 &&
                  syntax::kEditorStyles[syntax::Preprozessor] == wxSTC_C_PREPROCESSOR &&
                  syntax::kEditorStyles[syntax::Kommentare] == wxSTC_C_COMMENTLINE &&
                  syntax::kEditorStyles[syntax::Rest] == wxSTC_C_IDENTIFIER,
              "the colour model names the lexer's styles by number");

wxColour ShownColour(syntax::SyntaxClass which) {
    const syntax::Rgb rgb = syntax::Shown(which);
    return wxColour(rgb.red, rgb.green, rgb.blue);
}

void ApplySyntaxColours(wxStyledTextCtrl* editor) {
    if (!editor) return;
    for (int i = 0; i < syntax::kClasses; ++i)
        editor->StyleSetForeground(syntax::kEditorStyles[i], ShownColour(static_cast<syntax::SyntaxClass>(i)));
}
