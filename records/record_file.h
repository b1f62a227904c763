#pragma once
// Record files: one pupil per file `n.b2i` in the data folder.

#include "records/shared_state.h"

#include <QList>
#include <QString>
#include <functional>

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

// Writes the current record as the file's only content. The write is atomic: the record goes
// to a temporary file in the same folder, flushed to disk, then renamed over the target, so a
// failure leaves the previous file as it was. Throws IoError.
void saveRecord(const SharedState& state, const QString& fileName);
void writeRecordFile(const QString& fileName, const TFiche& record);

// The first number from `from` upwards with no entry `n.b2i` in the data folder, or
// kNoFreeNumber; also stored as the last number. Loops that add pupils pass the number after
// the one they took last, since nothing frees a number while they run.
int findFreeNumber(SharedState& state, int from = 1);

struct RecordFailure {
    QString entryName; // file name within the data folder, e.g. "12.b2i"
    QString message;   // the runtime's message
};

// Visits every entry "*.b2i" of the data folder in the file system's order: the current file
// name is set, the record is loaded into the current record and the visitor gets the number
// text (the name up to its first '.'). An entry that cannot be read is skipped and reported
// in the returned list, so one damaged file never hides the others.
QList<RecordFailure> enumerateRecords(SharedState& state,
                                      const std::function<void(const QString&)>& visitor);

// One line per failure, "12.b2i : Lecture au-delà de la fin de fichier".
QString describeFailures(const QList<RecordFailure>& failures);

} // namespace kalidor
