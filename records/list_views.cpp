#include "records/list_views.h"

#include "records/level_rules.h"
#include "records/record_texts.h"
#include "records/referential.h"
#include "records/report_texts.h"
#include "records/utf8.h"

#include <algorithm>
#include <iterator>

namespace kalidor {

namespace {

using namespace record_texts;

constexpr ViewDescription kViews[] = {
    {ListView::AllByName, 0, true, true, true, kTotalPlural, kTotalSingular, kViewAllByName,
     report_texts::kListTitleAll},
    {ListView::AllByClass, 0, true, false, true, kTotalPlural, kTotalSingular, kViewAllByClass,
     report_texts::kListTitleAll},
    {ListView::WithEcole, kLevelEcole, true, true, false, kWithEcolePlural, kWithEcoleSingular,
     kViewWithEcole, report_texts::kListTitleWithEcole},
    {ListView::WithCollege, kLevelCollege, true, true, false, kWithCollegePlural,
     kWithCollegeSingular, kViewWithCollege, report_texts::kListTitleWithCollege},
    {ListView::WithoutEcole, kLevelEcole, false, true, false, kWithoutEcolePlural,
     kWithoutEcoleSingular, kViewWithoutEcole, report_texts::kListTitleWithoutEcole},
    {ListView::WithoutCollege, kLevelCollege, false, true, false, kWithoutCollegePlural,
     kWithoutCollegeSingular, kViewWithoutCollege, report_texts::kListTitleWithoutCollege},
};

} // namespace

const ViewDescription& viewDescription(ListView view) {
    return *std::find_if(
        std::begin(kViews), std::end(kViews),
        [view](const ViewDescription& described) { return described.view == view; });
}

bool viewAccepts(const ViewDescription& view, const TFiche& record) {
    return view.level == 0 || levelHeldBy(record, view.level) == view.holders;
}

QString countLine(ListView view, int count) {
    const ViewDescription& described = viewDescription(view);
    return QString::number(count) +
           tr8(count >= 2 ? described.countPlural : described.countSingular);
}

QString totalCountLine(int count) {
    return countLine(ListView::AllByName, count);
}

ViewResult buildView(SharedState& state, ListView view, const ReadingProgress& progress) {
    const ViewDescription& described = viewDescription(view);
    ViewResult result;
    result.entries.reserve(kMaxRecordNumber + 1);
    result.failures = enumerateRecords(
        state.prefix,
        [&](const QString& numberText, const TFiche& record) {
            if (viewAccepts(described, record)) {
                result.entries.append(recordEntry(record, numberText, described.byName));
            }
        },
        progress);
    state.countLine = countLine(view, static_cast<int>(result.entries.size()));
    if (described.setsSortFlag) {
        state.sortByName = described.byName;
    }
    return result;
}

} // namespace kalidor
