#include "records/pupil_files.h"

#include "records/io_error.h"
#include "records/posix_file.h"
#include "records/record_file.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

namespace kalidor {

TFiche blankRecord() {
    TFiche record;
    initNewRecord(record);
    return record;
}

std::optional<int> createRecordFile(SharedState& state, int from, FolderFlush flush) {
    for (int number = findFreeNumber(state, from); number <= kMaxRecordNumber;
         number = findFreeNumber(state, number + 1)) {
        const QString fileName = recordFileName(state, QString::number(number));
        // Another machine sharing the folder may take the number between the search and the
        // creation: the search then goes on from the next one.
        if (createNewFile(fileName, state.current.bytes().data(), TFiche::kSize, flush)) {
            state.currentFileName = fileName;
            return number;
        }
    }
    return std::nullopt;
}

std::optional<QString> PupilAdder::add(const TFiche& record) {
    state_.current = record;
    const std::optional<int> number = createRecordFile(state_, from_, FolderFlush::Later);
    if (!number) {
        from_ = kNoFreeNumber;
        return std::nullopt;
    }
    flushes_.add(posix::path(state_.prefix));
    from_ = *number + 1;
    return QString::number(*number);
}

void deleteRecordFile(const QString& fileName) {
    if (::unlink(QFile::encodeName(fileName).constData()) != 0 && errno != ENOENT) {
        throw IoError::fromErrno(errno);
    }
}

} // namespace kalidor
