#pragma once
// Record files: one pupil per file `n.b2i` in the data folder.

#include "records/atomic_file.h"
#include "records/shared_state.h"

#include <QList>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

namespace kalidor {

// Record numbers run from 1 to kMaxRecordNumber; a search that finds nothing below
// kNoFreeNumber returns kNoFreeNumber.
inline constexpr int kMaxRecordNumber = 999;
inline constexpr int kNoFreeNumber = 1000;

inline constexpr char kRecordExtension[] = ".b2i";

// The data folder for the executable's folder: the folder with exactly one trailing '/'.
QString dataDirectoryPrefix(const QString& executableFolder);

// prefix + number text + ".b2i"; the number stays text ("007" opens 007.b2i).
QString recordFileName(const SharedState& state, const QString& numberText);

// Reads the first record of the file into the current record. Throws IoError; the current
// record is left as it was when the read fails.
void loadRecord(SharedState& state, const QString& fileName);
// The same reading into any record, for callers that keep their own buffer.
void readRecordFile(const QString& fileName, TFiche& record);
// The same, false when the file does not exist; any other failure throws IoError.
bool readRecordIfPresent(const QString& fileName, TFiche& record);
// The record, or nothing when the file cannot be read for any reason: for the few commands that
// leave an unreadable pupil alone without a word.
std::optional<TFiche> readRecordIfReadable(const QString& fileName);

// Writes the current record as the file's only content, through AtomicFileWriter: a failure
// leaves the previous file as it was, a file the user may not write is refused, the file keeps
// its permissions, a link stays a link. Throws IoError.
void saveRecord(const SharedState& state, const QString& fileName,
                FolderFlush flush = FolderFlush::Now);
void writeRecordFile(const QString& fileName, const TFiche& record,
                     FolderFlush flush = FolderFlush::Now);

// How a free-number search tells that a number is taken.
enum class NumberLookup {
    // The file system's quick answer about the name, which a shared folder's client may give
    // from a cache that still holds files deleted elsewhere.
    Quick,
    // An open of the file, which such a client asks of the server itself.
    AskTheServer,
};

// The first number from `from` upwards with no entry `n.b2i` in the data folder, or
// kNoFreeNumber. Loops that add pupils pass the number after the one they took last, since
// nothing frees a number while they run.
int findFreeNumber(const SharedState& state, int from = 1,
                   NumberLookup lookup = NumberLookup::Quick);

// An entry left out of an enumeration, named with why, for the one box that reports them.
struct RecordFailure {
    QString entryName; // file name within the data folder, e.g. "12.b2i"
    QString message;   // the IoError's message
};

// What an enumeration hands out for each record it read: the number text (the whole file name
// without its final ".b2i", so "5.sauv.b2i" is "5.sauv") and the record, in a buffer of the
// enumeration's own, valid during the call.
using RecordVisitor = std::function<void(const QString& numberText, const TFiche& record)>;

// Visits every entry "*.b2i" of the data folder `prefix` in the file system's order. An entry
// that cannot be read is skipped and reported in the returned list, so one damaged file never
// hides the others; one that has gone since the folder was listed (deleted by another machine)
// is skipped without a word. The current record is left alone.
// The files are read by the reading pool, many at once on a share (reading_pool.h); the visitor
// and `progress` (the entries handed out so far, and in all) run on the calling thread, in the
// folder's order. `progress` answering false stops the listing there.
using ReadingProgress = std::function<bool(int done, int total)>;
QList<RecordFailure> enumerateRecords(const QString& prefix, const RecordVisitor& visitor,
                                      const ReadingProgress& progress = {});

// Removes what record writers killed half-way left in the data folder, once it is old enough
// (removeStaleLeftovers): younger leftovers may belong to a save running now on another machine
// that shares the folder.
void removeStaleRecordLeftovers(const QString& prefix);

// One line per failure, "12.b2i : Lecture au-delà de la fin de fichier".
QString describeFailures(const QList<RecordFailure>& failures);

} // namespace kalidor
