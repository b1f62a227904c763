#pragma once
// Transfer files (.b2t): the records of chosen pupils one after the other, byte for byte as
// in their record files, with nothing before, between or after them.

#include "exchange/added_pupils.h"
#include "records/list_lines.h"
#include "records/shared_state.h"

#include <QString>
#include <QStringList>
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
};

// Writes the records of the given pupils (list lines with their record numbers), in that
// order, into `fileName`, through AtomicFileWriter: the file appears only once complete. A
// failure after creation throws IoError and leaves neither a partial file nor the temporary
// one; a file of that name that existed before stays as it was.
TransferWriteResult writeTransferFile(const SharedState& state, const QString& fileName,
                                      const QList<ListEntry>& pupils);

// The final message of a created transfer file, with the pupils left out.
QString transferCreatedMessage(const QString& fileName, int leftOut);

struct TransferListing {
    bool opened = false;
    // By-name lines numbered with the record's position, from the last record to the first.
    QList<ListEntry> entries;
    // The runtime's message when a record could not be read; the lines before it stay.
    std::optional<QString> error;
};

// Lists the records of a transfer file, reading one record at a time; bytes after the last
// whole record are ignored. Throws the not-a-file IoError for a pipe, a socket or a device.
TransferListing listTransferFile(const QString& fileName);

struct TransferImport {
    AddedPupils added;
    // Lines whose transfer file could not be opened (each deserves its message).
    int openFailures = 0;
};

// Adds to the data folder, as new record files with the first free numbers, the records of
// the transfer file at the positions that number the given lines. Each record is written
// unchanged. Lines without a position are skipped; once the numbers up to 999 are used,
// nothing more is written. A read or write failure stops the import with its message.
TransferImport importTransferRecords(SharedState& state, const QString& transferFileName,
                                     const QList<ListEntry>& lines);

} // namespace kalidor
