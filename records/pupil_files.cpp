#include "records/pupil_files.h"

#include "records/io_error.h"
#include "records/new_file.h"
#include "records/posix_file.h"
#include "records/record_texts.h"
#include "records/utf8.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kalidor {

TFiche blankRecord() {
    TFiche record;
    initNewRecord(record);
    return record;
}

NewPupil FreeNumberSearch::create(const TFiche& record, FolderFlush flush) {
    for (;;) {
        // Right after a pupil was created, the next number is most often free: it is claimed at
        // once, without the lookup that would cost one more trip to a share's server.
        const int first = afterCreation_ ? from_ : findFreeNumber(state_, from_, lookup_);
        afterCreation_ = false;
        for (int number = first; number <= kMaxRecordNumber;
             number = findFreeNumber(state_, number + 1, lookup_)) {
            // Another machine may take the number between the search and the creation: the
            // search then goes on from the next one.
            const QString numberText = QString::number(number);
            const std::optional<QByteArray> held = createNewFile(
                recordFileName(state_, numberText), record.bytes().data(), TFiche::kSize, flush);
            if (held) {
                from_ = number + 1;
                afterCreation_ = true;
                NewPupil pupil{numberText, {}};
                std::memcpy(pupil.record.bytes().data(), held->constData(), TFiche::kSize);
                return pupil;
            }
        }
        if (lookup_ == NumberLookup::AskTheServer) {
            from_ = kNoFreeNumber;
            throw IoError(tr8(record_texts::kNoFreeNumber));
        }
        lookup_ = NumberLookup::AskTheServer;
        from_ = 1;
    }
}

NewPupil createRecordFile(const SharedState& state, const TFiche& record, int from,
                          FolderFlush flush) {
    return FreeNumberSearch(state, from).create(record, flush);
}

NewPupil PupilAdder::add(const TFiche& record) {
    try {
        NewPupil pupil = search_.create(record, FolderFlush::Later);
        flushes_.add(posix::path(state_.prefix));
        ++created_;
        return pupil;
    } catch (const IoError& error) {
        const char* count =
            created_ > 1 ? record_texts::kStoppedAfterMany : record_texts::kStoppedAfterOne;
        throw IoError(error.message() + QLatin1Char('\n') + tr8(count).arg(created_),
                      error.errorNumber());
    }
}

void deleteRecordFile(const QString& fileName) {
    if (::unlink(QFile::encodeName(fileName).constData()) != 0 && errno != ENOENT) {
        throw IoError::fromErrno(errno);
    }
}

} // namespace kalidor
