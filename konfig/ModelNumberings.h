// The standard key and LED numbering of every button-panel model, one table row per model.
#pragma once

#include <wx/string.h>

#include "konfig/KonfigRows.h"

// X(id, label, rows, first, pairs...): a "-101" model numbers its rows first, first+1, ... for
// key and LED alike (no pairs); a "-Remote" model (first 0) lists its key/LED pair per row.
// The id names the dialog's handler OnBtn<id>Click; the label is its button's text.
#define TQC_PX_MODELS(X)                                                                                               \
    X(Px4_101, "PX4-101", 4, 101)                                                                                      \
    X(Px4_105, "PX4-105", 4, 105)                                                                                      \
    X(Px4_109, "PX4-109", 4, 109)                                                                                      \
    X(Px4_113, "PX4-113", 4, 113)                                                                                      \
    X(Px4_Remote, "PX4-Remote", 4, 0, {28, 31}, {12, 11}, {36, 34}, {4, 5})                                            \
    X(Px6_101, "PX6-101", 6, 101)                                                                                      \
    X(Px6_Remote, "PX6-Remote", 6, 0, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0})                                  \
    X(Px7_101, "PX7-101", 7, 101)                                                                                      \
    X(Px7_Remote, "PX7-Remote", 7, 0, {25, 24}, {18, 19}, {29, 28}, {30, 31}, {5, 3}, {37, 36}, {39, 40})              \
    X(Px8_101, "PX8-101", 8, 101)                                                                                      \
    X(Px8_Remote, "PX8-Remote", 8, 0, {22, 23}, {20, 21}, {24, 25}, {19, 18}, {28, 31}, {12, 11}, {36, 34}, {41, 42})  \
    X(Px9_101, "PX9-101", 9, 101)                                                                                      \
    X(Px9_Remote, "PX9-Remote", 9, 0, {24, 25}, {14, 23}, {13, 12}, {29, 28}, {30, 31}, {5, 3}, {36, 35}, {38, 37},    \
      {39, 40})                                                                                                        \
    X(Px10_101, "PX10-101", 10, 101)                                                                                   \
    X(Px10_Remote, "PX10-Remote", 10, 0, {16, 15}, {13, 14}, {22, 23}, {20, 21}, {24, 25}, {19, 18}, {28, 31},         \
      {12, 11}, {36, 34}, {41, 42})                                                                                    \
    X(Px12_101, "PX12-101", 12, 101)                                                                                   \
    X(Px12_Remote, "PX12-Remote", 12, 0, {19, 18}, {15, 16}, {20, 21}, {14, 13}, {24, 25}, {22, 23}, {26, 27}, {5, 6}, \
      {28, 31}, {12, 11}, {36, 34}, {41, 42})                                                                          \
    X(Px18_101, "PX18-101", 18, 101)                                                                                   \
    X(Px18_Remote, "PX18-Remote", 18, 0, {14, 13}, {12, 11}, {10, 9}, {18, 17}, {15, 16}, {5, 6}, {19, 20}, {25, 26},  \
      {3, 4}, {27, 28}, {38, 37}, {2, 1}, {29, 30}, {36, 35}, {41, 42}, {31, 32}, {34, 33}, {40, 39})

struct ModelNumbering {
    const char* label;  // the button text and the name tqc-cli takes
    int rows;           // used rows; the rest are 0 / 0
    int first;          // first number of a "-101" model, 0 for a table model
    KonfigPair pairs[kKonfigRows];
};

// The models in button order.
const ModelNumbering* ModelTable(int* count);
// The model with this label (case-insensitive), or nullptr.
const ModelNumbering* FindModel(const wxString& label);
// All 20 rows as the model's button sets them.
KonfigValues ModelValues(const ModelNumbering& model);
