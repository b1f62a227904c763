#pragma once
// Creating and deleting pupil record files.

#include "records/atomic_file.h"
#include "records/shared_state.h"

#include <QString>
#include <optional>

namespace kalidor {

// A new record: every byte zero, every field empty, no competence validated. Starting from
// zero keeps a previous pupil's leftovers out of a new file.
TFiche blankRecord();

// Writes the current record as a new pupil under the first free number from `from` upwards:
// the current file name becomes that pupil's file. The file is created only where no file of
// that number exists at that instant, so two machines adding pupils to one shared folder never
// replace each other's. Nothing is written, and nothing returned, when every number up to 999
// is taken. Throws IoError.
std::optional<int> createRecordFile(SharedState& state, int from = 1,
                                    FolderFlush flush = FolderFlush::Now);

// Adds pupils one after another. Nothing frees a number while such a loop runs, so each
// search starts after the number taken last and still finds the first free one. The data
// folder is flushed once, by finish() or, after a failure, when the adder goes.
class PupilAdder {
public:
    explicit PupilAdder(SharedState& state) : state_(state) {}
    // Writes `record` as a new pupil through the current record; its number text, or nothing
    // when every number up to 999 is taken. Throws IoError.
    std::optional<QString> add(const TFiche& record);
    // Makes the new pupils' names durable. Throws IoError.
    void finish() { flushes_.flush(); }

private:
    SharedState& state_;
    int from_ = 1;
    FolderFlushes flushes_;
};

// Deletes a record file. A file already gone counts as deleted; any other failure throws
// IoError and leaves the file in place.
void deleteRecordFile(const QString& fileName);

} // namespace kalidor
