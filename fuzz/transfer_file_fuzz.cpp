// Any bytes as a transfer file. Listing it gives one line per whole record, the first 999 at
// most, numbered from the last to 1, and calls a file damaged at least when its size is not a
// whole number of records. Importing every listed line creates one pupil per line, each file
// a byte-for-byte copy of the record at the line's position, and leaves the transfer file as
// it was.

#include "exchange/transfer_file.h"
#include "fuzz/fuzz_support.h"
#include "records/list_lines.h"
#include "records/record_file.h"

#include <QDir>
#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace kalidor;
using fuzz::check;
using fuzz::showsNumber;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::RunFolder inputs;
    static const fuzz::RunFolder pupils;
    const auto* bytes = reinterpret_cast<const char*>(data);
    const QString fileName = inputs.path() + QLatin1String("/envoi.b2t");
    fuzz::writeFile(fileName, bytes, size);

    QList<ListEntry> listed;
    const TransferListing listing =
        listTransferFile(fileName, [&listed](const ListEntry& entry) { listed.append(entry); });
    check(listing.opened, "a plain file did not open");
    const auto records = static_cast<qsizetype>(size / TFiche::kSize);
    check(listed.size() == std::min<qsizetype>(records, kMaxListedRecords),
          "not one line per whole record");
    check(listing.capped == (records > kMaxListedRecords), "a cap told wrongly");
    check(size % TFiche::kSize == 0 || listing.damaged, "stray bytes were not told");
    for (qsizetype i = 0; i < listed.size(); ++i) {
        const ListEntry& entry = listed.at(i);
        check(entry.number == QString::number(listed.size() - i), "positions out of order");
        check(showsNumber(entry.line, entry.number), "a list line does not end with its position");
    }

    pupils.empty();
    SharedState state;
    state.prefix = pupils.prefix();
    TransferImport progress;
    int handed = 0;
    importTransferRecords(state, fileName, listed, progress, [&](const ListEntry& entry) {
        ++handed;
        check(entry.number == QString::number(handed), "numbers are not taken in order");
        const int position = listed.at(handed - 1).number.toInt();
        const QByteArray written = fuzz::readFile(recordFileName(state, entry.number));
        check(written.size() == TFiche::kSize &&
                  std::memcmp(written.constData(), bytes + (position - 1) * TFiche::kSize,
                              TFiche::kSize) == 0,
              "an imported record is not a copy of the transfer file's");
    });
    check(progress.openFailures == 0, "the transfer file did not open for the import");
    check(progress.created == handed && handed == listed.size(), "a listed pupil was not created");
    check(QDir(pupils.path()).entryList(QDir::Files | QDir::Hidden).size() == handed,
          "the folder does not hold the created pupils alone");
    check(fuzz::readFile(fileName) == QByteArray(bytes, static_cast<qsizetype>(size)),
          "the import changed the transfer file");
    return 0;
}
