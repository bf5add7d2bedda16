#include "settings/SyntaxColours.h"

#include "compiler/Data.h"

int gl_iColorCommands[3];
int gl_iColorText[3];
int gl_iColorVariablen[3];
int gl_iColorPreprozessor[3];
int gl_iColorKommentare[3];
int gl_iColorRest[3];

namespace syntax {
namespace {

// One row per class, in SyntaxClass order.
struct ClassRow {
    int (Data::*member)[3];
    int (*backup)[3];
    Rgb standard;
};

const ClassRow kRows[kClasses] = {{&Data::colorCommands, &gl_iColorCommands, {0, 0, 180}},
                                  {&Data::colorText, &gl_iColorText, {230, 0, 0}},
                                  {&Data::colorVariablen, &gl_iColorVariablen, {0, 128, 255}},
                                  {&Data::colorPreprozessor, &gl_iColorPreprozessor, {0, 160, 0}},
                                  {&Data::colorKommentare, &gl_iColorKommentare, {130, 130, 130}},
                                  {&Data::colorRest, &gl_iColorRest, {0, 0, 0}}};

void Copy(const int (&from)[3], int (&to)[3]) {
    for (int k = 0; k < 3; ++k) to[k] = from[k];
}

}  // namespace

Rgb Shown(const Data& store, SyntaxClass which) {
    const int(&rgb)[3] = store.*kRows[which].member;
    return {rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF};
}

void Set(Data& store, SyntaxClass which, const Rgb& colour) {
    int(&rgb)[3] = store.*kRows[which].member;
    rgb[0] = colour.red;
    rgb[1] = colour.green;
    rgb[2] = colour.blue;
}

void SetStandard(Data& store) {
    for (int i = 0; i < kClasses; ++i) Set(store, static_cast<SyntaxClass>(i), kRows[i].standard);
}

void BackUp(const Data& store) {
    for (const ClassRow& row : kRows) Copy(store.*row.member, *row.backup);
}

void Restore(Data& store) {
    for (const ClassRow& row : kRows) Copy(*row.backup, store.*row.member);
}

}  // namespace syntax
