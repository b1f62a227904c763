#pragma once
// The six views of the pupil list, each described once, and the view built from the record
// files of the data folder.

#include "records/list_lines.h"
#include "records/record_file.h"

#include <QStringList>

namespace kalidor {

enum class ListView {
    AllByName,
    AllByClass,
    WithEcole,
    WithCollege,
    WithoutEcole,
    WithoutCollege,
};

// Everything that tells one view from another. The texts are UTF-8 constants of the texts
// headers.
struct ViewDescription {
    ListView view;
    // The level whose holders (or, when `holders` is false, whose non-holders) the view keeps;
    // 0 keeps every pupil.
    int level;
    bool holders;
    bool byName;               // the line format: by name, or by class
    bool setsSortFlag;         // the view sets the sort flag to its line format
    const char* countPlural;   // after the count, 2 and more
    const char* countSingular; // after the count, 0 and 1
    const char* name;          // what a screen reader says the list shows
    const char* printedTitle;  // the title of the list printed after the view
};

const ViewDescription& viewDescription(ListView view);

// Whether the view keeps the pupil of `record`.
bool viewAccepts(const ViewDescription& view, const TFiche& record);

// n followed by the view's text, singular for 0 and 1.
QString countLine(ListView view, int count);
// n + " élèves au total" / " élève au total": the count line after adding or removing pupils.
QString totalCountLine(int count);

struct ViewResult {
    QList<ListEntry> entries;      // in enumeration order; the list box sorts them
    QList<RecordFailure> failures; // files that could not be read, to report after the view
};

// Reads every record, keeps those the view accepts and formats their lines. Sets the count
// line and, for the views that do, the sort flag; the current record is left alone. A listing
// stopped through `progress` keeps the pupils read before.
ViewResult buildView(SharedState& state, ListView view, const ReadingProgress& progress = {});

} // namespace kalidor
