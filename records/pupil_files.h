#pragma once
// Creating and deleting pupil record files.

#include "records/shared_state.h"

#include <optional>

namespace kalidor {

// A new record: every byte zero, every field empty, no competence validated. Starting from
// zero keeps a previous pupil's leftovers out of a new file.
TFiche blankRecord();

// Writes the current record as a new pupil under the first free number from `from` upwards:
// the current file name becomes that pupil's file. Nothing is written, and nothing returned,
// when every number up to 999 is taken. Throws IoError.
std::optional<int> createRecordFile(SharedState& state, int from = 1);

// Deletes a record file. A file already gone counts as deleted; any other failure throws
// IoError and leaves the file in place.
void deleteRecordFile(const QString& fileName);

} // namespace kalidor
