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
    const int number = findFreeNumber(state, from);
    if (number > kMaxRecordNumber) {
        return std::nullopt;
    }
    state.currentFileName = recordFileName(state, QString::number(number));
    saveRecord(state, state.currentFileName, flush);
    return number;
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
