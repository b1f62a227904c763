#include "records/list_views.h"

#include "records/level_rules.h"

namespace kalidor {

namespace {

bool accepts(const TFiche& record, ListView view) {
    switch (view) {
    case ListView::AllByName:
    case ListView::AllByClass:
        return true;
    case ListView::WithEcole:
        return testniveau1(record);
    case ListView::WithoutEcole:
        return !testniveau1(record);
    case ListView::WithCollege:
        return testniveau2(record);
    case ListView::WithoutCollege:
        return !testniveau2(record);
    }
    return false;
}

} // namespace

ViewResult buildView(SharedState& state, ListView view) {
    ViewResult result;
    result.entries.reserve(kMaxRecordNumber + 1);
    const bool byClass = view == ListView::AllByClass;
    result.failures = enumerateRecords(state, [&](const QString& numberText) {
        if (!accepts(state.current, view)) {
            return;
        }
        result.entries.append(recordEntry(state.current, numberText, !byClass));
    });
    state.countLine = countLine(view, static_cast<int>(result.entries.size()));
    if (view == ListView::AllByName || view == ListView::AllByClass) {
        state.sortByName = !byClass;
    }
    return result;
}

} // namespace kalidor
