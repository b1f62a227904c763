#pragma once
// The six views of the pupil list, built from the record files of the data folder.

#include "records/list_lines.h"
#include "records/record_file.h"

#include <QStringList>

namespace kalidor {

struct ViewResult {
    QList<ListEntry> entries;      // in enumeration order; the list box sorts them
    QList<RecordFailure> failures; // files that could not be read, to report after the view
};

// Reads every record, keeps those the view's filter accepts and formats their lines. Sets
// the count line and, for the two unfiltered views, the sort flag.
ViewResult buildView(SharedState& state, ListView view);

} // namespace kalidor
