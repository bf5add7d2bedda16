#include "konfig/ModelNumberings.h"

namespace {

#define TQC_MODEL_ROW(id, label, rows, first, ...) {label, rows, first, {__VA_ARGS__}},
const ModelNumbering kModels[] = {TQC_PX_MODELS(TQC_MODEL_ROW)};
#undef TQC_MODEL_ROW

}  // namespace

const ModelNumbering* ModelTable(int* count) {
    *count = static_cast<int>(sizeof kModels / sizeof kModels[0]);
    return kModels;
}

const ModelNumbering* FindModel(const wxString& label) {
    for (const ModelNumbering& model : kModels)
        if (label.IsSameAs(model.label, false)) return &model;
    return nullptr;
}

KonfigValues ModelValues(const ModelNumbering& model) {
    KonfigValues values{};
    for (int r = 0; r < model.rows && r < kKonfigRows; ++r)
        values[r] = model.first != 0 ? KonfigPair{model.first + r, model.first + r} : model.pairs[r];
    return values;
}
