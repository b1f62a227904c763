#include "records/list_views.h"

#include "records/level_rules.h"

namespace kalidor {

namespace {

bool accepts(SharedState& state, ListView view) {
    switch (view) {
    case ListView::AllByName:
    case ListView::AllByClass:
        return true;
    case ListView::WithEcole:
        testniveau1(state);
        return state.niveau1;
    case ListView::WithoutEcole:
        testniveau1(state);
        return !state.niveau1;
    case ListView::WithCollege:
        testniveau2(state);
        return state.niveau2;
    case ListView::WithoutCollege:
        testniveau2(state);
        return !state.niveau2;
    }
    return false;
}

} // namespace

ViewResult buildView(SharedState& state, ListView view) {
    ViewResult result;
    result.entries.reserve(kMaxRecordNumber + 1);
    const bool byClass = view == ListView::AllByClass;
    state.pupilCounter = 0;
    result.failures = enumerateRecords(state, [&](const QString& numberText) {
        if (!accepts(state, view)) {
            return;
        }
        result.entries.append({recordLine(state.current, numberText, !byClass), numberText,
                               recordStamp(state.current)});
        ++state.pupilCounter;
    });
    state.countLine = countLine(view, state.pupilCounter);
    if (view == ListView::AllByName || view == ListView::AllByClass) {
        state.sortByName = !byClass;
    }
    return result;
}

} // namespace kalidor
