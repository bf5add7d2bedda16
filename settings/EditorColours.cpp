#include "settings/EditorColours.h"

#include "compiler/Data.h"

#include <wx/settings.h>
#include <wx/stc/stc.h>

#include <algorithm>

static_assert(syntax::kEditorStyles[syntax::Commands] == wxSTC_C_WORD &&
                  syntax::kEditorStyles[syntax::Text] == wxSTC_C_STRING &&
                  syntax::kEditorStyles[syntax::Variablen] == wxSTC_C_WORD2 &&
                  syntax::kEditorStyles[syntax::Preprozessor] == wxSTC_C_PREPROCESSOR &&
                  syntax::kEditorStyles[syntax::Kommentare] == wxSTC_C_COMMENTLINE &&
                  syntax::kEditorStyles[syntax::Rest] == wxSTC_C_IDENTIFIER,
              "the colour model names the lexer's styles by number");

namespace {

// The dark scheme's own colours: text, background, current line, line numbers, selection.
const wxColour kDarkText(220, 220, 220), kDarkBackground(30, 30, 30), kDarkCurrentLine(50, 50, 60);
const wxColour kDarkNumbers(140, 140, 140), kDarkMargin(45, 45, 45), kDarkSelection(38, 79, 120);
const wxColour kStandardCurrentLine(255, 255, 200);

wxColour Colour(const syntax::Rgb& rgb) { return wxColour(rgb.red, rgb.green, rgb.blue); }

}  // namespace

wxColour ShownColour(syntax::SyntaxClass which) { return Colour(syntax::Shown(data, which)); }

syntax::Rgb OnDark(const syntax::Rgb& colour) {
    const int high = std::max({colour.red, colour.green, colour.blue});
    const int low = std::min({colour.red, colour.green, colour.blue});
    const int lightness2 = high + low;  // twice the lightness, 0..510
    if (lightness2 >= 255) return colour;
    // Mirrors the lightness about the middle (HSL), which keeps hue and saturation.
    const int shift = 255 - lightness2;
    return {colour.red + shift, colour.green + shift, colour.blue + shift};
}

void ApplySyntaxColours(wxStyledTextCtrl* editor) {
    if (!editor) return;
    const bool dark = EditorSettings::LooksPrefs().dark;
    for (int i = 0; i < syntax::kClasses; ++i) {
        const syntax::Rgb shown = syntax::Shown(data, static_cast<syntax::SyntaxClass>(i));
        editor->StyleSetForeground(syntax::kEditorStyles[i], Colour(dark ? OnDark(shown) : shown));
    }
}

wxColour BackgroundColour(const EditorSettings::Looks& looks) {
    return looks.ownBackground ? Colour(looks.background) : looks.dark ? kDarkBackground : *wxWHITE;
}

wxColour CurrentLineColour(const EditorSettings::Looks& looks) {
    return looks.ownCurrentLine ? Colour(looks.currentLine) : looks.dark ? kDarkCurrentLine : kStandardCurrentLine;
}

void ApplyLooks(wxStyledTextCtrl* editor) {
    if (!editor) return;
    const EditorSettings::Looks& looks = EditorSettings::LooksPrefs();
    const wxColour background = BackgroundColour(looks), text = looks.dark ? kDarkText : *wxBLACK;
    // Every style the lexer uses, and the default: the annotation styles above keep their own.
    for (int style = 0; style <= wxSTC_STYLE_DEFAULT; ++style) {
        editor->StyleSetFaceName(style, looks.font);
        editor->StyleSetSize(style, looks.size);
        editor->StyleSetBold(style, true);
        editor->StyleSetBackground(style, background);
        // The classes without a colour of their own (numbers, operators) take the text colour.
        editor->StyleSetForeground(style, text);
    }
    editor->StyleSetFaceName(wxSTC_STYLE_LINENUMBER, looks.font);
    editor->StyleSetSize(wxSTC_STYLE_LINENUMBER, looks.size);
    editor->StyleSetForeground(wxSTC_STYLE_LINENUMBER, looks.dark ? kDarkNumbers : wxColour(100, 100, 100));
    const wxColour margin = looks.dark ? kDarkMargin : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    editor->StyleSetBackground(wxSTC_STYLE_LINENUMBER, margin);
    editor->SetCaretForeground(looks.dark ? *wxWHITE : *wxBLACK);
    editor->SetCaretLineVisible(true);
    editor->SetCaretLineBackground(CurrentLineColour(looks));
    if (looks.dark)
        editor->SetSelBackground(true, kDarkSelection);
    else
        editor->SetSelBackground(true, wxColour(192, 192, 192));
    editor->SetFoldMarginColour(true, margin);
    editor->SetFoldMarginHiColour(true, margin);
    ApplySyntaxColours(editor);
    editor->SetZoom(looks.zoom);
}
