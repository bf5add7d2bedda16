// The script editor's six syntax colours without any window: the member of the data store that
// holds each class, the editor style that shows it, its standard colour, and the backups the settings
// editor puts back when it is left without "OK".
#pragma once

struct Data;

// The six colours (R, G, B) as they were when the settings editor was opened.
extern int gl_iColorCommands[3];
extern int gl_iColorText[3];
extern int gl_iColorVariablen[3];
extern int gl_iColorPreprozessor[3];
extern int gl_iColorKommentare[3];
extern int gl_iColorRest[3];

namespace syntax {

// The classes in the order of the colour members, the file's colour keys and the pickers.
enum SyntaxClass { Commands, Text, Variablen, Preprozessor, Kommentare, Rest };
constexpr int kClasses = 6;

// The style of the editor's C-family lexer that shows each class: word, string, second word
// list, preprocessor, line comment, identifier (checked against the lexer's names where the
// editor is painted).
constexpr int kEditorStyles[kClasses] = {5, 6, 16, 9, 2, 11};

struct Rgb {
    int red, green, blue;
};

// The class's colour in `store` as the editor shows it: only the low 8 bits of a stored
// component count.
Rgb Shown(const Data& store, SyntaxClass which);
// A colour chosen for the class, into `store`.
void Set(Data& store, SyntaxClass which, const Rgb& colour);
// The standard colours into `store`.
void SetStandard(Data& store);
// The colours of `store` into the backups, and the backups back into `store`.
void BackUp(const Data& store);
void Restore(Data& store);

}  // namespace syntax
