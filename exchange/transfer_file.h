#pragma once
// Transfer files (.b2t): the records of chosen pupils one after the other, byte for byte as
// in their record files, with nothing before, between or after them.

#include "records/list_lines.h"
#include "records/pupil_batch.h"
#include "records/record_file.h"
#include "records/shared_state.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace kalidor {

inline constexpr char kTransferExtension[] = ".b2t";

// The name a transfer file is written under: the chosen name, with ".b2t" appended unless
// its extension is exactly ".b2t" (so "classe.B2T" becomes "classe.B2T.b2t").
QString withTransferExtension(const QString& chosenName);

struct TransferWriteResult {
    bool created = false; // false: the file could not be created and nothing was written
    int written = 0;      // records in the file
    int leftOut = 0;      // pupils of the list whose record file could not be read
    // Pupils of the list whose number now holds another pupil (freed and taken again on another
    // machine): left out too.
    int replaced = 0;
    bool cancelled = false; // stopped by the user: nothing written
};

// Writes the records of the given pupils (list lines with their record numbers), in that
// order, into `fileName`, through AtomicFileWriter: the file appears only once complete. A
// failure after creation throws IoError and leaves neither a partial file nor the temporary
// one; a file of that name that existed before stays as it was.
// The pupils are read many at once on a share; `progress` answering false stops before anything
// is written.
TransferWriteResult writeTransferFile(const SharedState& state, const QString& fileName,
                                      const QList<ListEntry>& pupils,
                                      const ReadingProgress& progress = {});

// The final message of a created transfer file, with the pupils left out.
QString transferCreatedMessage(const QString& fileName, const TransferWriteResult& result);

// At most this many records of a transfer file are listed: one import never creates more
// pupils than that.
inline constexpr int kMaxListedRecords = 999;

struct TransferListing {
    bool opened = false;
    // The size is not a whole number of records, or a listed record does not look like a
    // pupil's: the file is damaged or is not a transfer file.
    bool damaged = false;
    // The file holds more records than are listed.
    bool capped = false;
};

// Whether the bytes look like a pupil's record: no length byte above its field's capacity, and
// nothing but text (isTextByte) in the name, first name and class.
bool looksLikePupilRecord(const TFiche& record);

// Lists the records of a transfer file, the first kMaxListedRecords at most, reading one
// record at a time from the last of them to the first: each record's by-name line, numbered
// with its position, goes to `listed` as it is read. Bytes after the last whole record are
// ignored. Throws IoError, the not-a-file one for a pipe, a socket or a device; the lines read
// before have been handed out.
TransferListing listTransferFile(const QString& fileName,
                                 const std::function<void(const ListEntry&)>& listed);

// Counts kept as an import goes, up to date when a failure stops it.
struct TransferImport {
    int created = 0;
    // Lines whose transfer file could not be opened.
    int openFailures = 0;
};

// Adds to the data folder, as new record files with the first free numbers, the records of
// the transfer file at the positions that number the given lines. Each record is written
// unchanged and each new pupil goes to `added` at once. Lines without a position are skipped.
// Throws IoError when a read or a write fails, or once the numbers up to 999 are used.
void importTransferRecords(const SharedState& state, const QString& transferFileName,
                           const QList<ListEntry>& lines, TransferImport& progress,
                           const PupilBatch& batch);

} // namespace kalidor
