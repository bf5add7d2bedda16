// The syntax colours and the editor's looks as the windows show them: on a script editor and in
// a colour picker.
#pragma once

#include "settings/EditorSettings.h"
#include "settings/SyntaxColours.h"

#include <wx/colour.h>

class wxStyledTextCtrl;

// The class's colour as shown (see syntax::Shown).
wxColour ShownColour(syntax::SyntaxClass which);
// A colour as the dark scheme shows it: a dark colour is lightened so much as it was dark, with
// its hue kept, so that every colour the user picked stays readable on the dark background.
syntax::Rgb OnDark(const syntax::Rgb& colour);
// Paints the six classes' colours on `editor`, foreground only, as the scheme in use shows them;
// nothing without an editor.
void ApplySyntaxColours(wxStyledTextCtrl* editor);
// The scheme's background and current-line colour, unless the user chose their own.
wxColour BackgroundColour(const EditorSettings::Looks& looks);
wxColour CurrentLineColour(const EditorSettings::Looks& looks);
// Font, size, background, caret, current line and syntax colours from EditorSettings::LooksPrefs().
void ApplyLooks(wxStyledTextCtrl* editor);
