// The syntax colours as the windows show them: on a script editor and in a colour picker.
#pragma once

#include "settings/SyntaxColours.h"

#include <wx/colour.h>

class wxStyledTextCtrl;

// The class's colour as shown (see syntax::Shown).
wxColour ShownColour(syntax::SyntaxClass which);
// Paints the six classes' colours on `editor`, foreground only; nothing without an editor.
void ApplySyntaxColours(wxStyledTextCtrl* editor);
