#pragma once
// Creating and deleting pupil record files.

#include "records/atomic_file.h"
#include "records/record_file.h"
#include "records/shared_state.h"

#include <QString>

namespace kalidor {

// A new record: every byte zero, every field empty, no competence validated. Starting from
// zero keeps a previous pupil's leftovers out of a new file.
TFiche blankRecord();

// A pupil just created: its number text and the record its file holds, as read back from the
// folder once the file had its name.
struct NewPupil {
    QString number;
    TFiche record;
};

// Finds free numbers and creates pupils under them, one after another. Nothing frees a number
// while such a search runs, so each search starts after the number taken last and still finds
// the first free one. A file is created only where no file of that number exists at that
// instant, so two machines adding pupils to one shared folder never replace each other's
// (createNewFile).
class FreeNumberSearch {
public:
    explicit FreeNumberSearch(const SharedState& state, int from = 1)
        : state_(state), from_(from) {}
    // Writes `record` as a new pupil under the next free number. Throws IoError: the write's,
    // or the one saying that every number up to 999 is taken (nothing written then).
    NewPupil create(const TFiche& record, FolderFlush flush);

private:
    const SharedState& state_;
    int from_;
    // A shared folder's client may answer the quick lookup from a cache that still lists files
    // deleted on another machine: before saying that every number is taken, the search asks
    // the server itself for each number, and keeps asking it for the rest of the run.
    NumberLookup lookup_ = NumberLookup::Quick;
    bool afterCreation_ = false;
};

// Writes `record` as a new pupil under the first free number from `from` upwards. Returns the
// pupil as its file holds it. Throws IoError as FreeNumberSearch::create does.
NewPupil createRecordFile(const SharedState& state, const TFiche& record, int from = 1,
                          FolderFlush flush = FolderFlush::Now);

// Adds a batch of pupils (an import, the sample pupils): a FreeNumberSearch whose failure says
// how many pupils the batch created before it stopped. The data folder is flushed once, by
// finish() or, after a failure, when the adder goes. The current record is left alone.
class PupilAdder {
public:
    explicit PupilAdder(const SharedState& state) : state_(state), search_(state) {}
    // Throws IoError, its message followed by the count of pupils created.
    NewPupil add(const TFiche& record);
    // Makes the new pupils' names durable. Throws IoError.
    void finish() { flushes_.flush(); }

private:
    const SharedState& state_;
    FreeNumberSearch search_;
    int created_ = 0;
    FolderFlushes flushes_;
};

// Deletes a record file. A file already gone counts as deleted; any other failure throws
// IoError and leaves the file in place.
void deleteRecordFile(const QString& fileName);

} // namespace kalidor
