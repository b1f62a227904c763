#include "records/io_error.h"

#include "records/record_texts.h"
#include "records/utf8.h"

#include <cerrno>

namespace kalidor {

IoError::IoError(QString message, int errorNumber)
    : message_(std::move(message)), utf8_(message_.toUtf8()), errorNumber_(errorNumber) {}

IoError IoError::fromErrno(int errorNumber) {
    return IoError(ioErrorMessage(errorNumber), errorNumber);
}

IoError IoError::shortRead() {
    return IoError(tr8(record_texts::kReadPastEnd));
}

IoError IoError::notRegularFile() {
    return IoError(tr8(record_texts::kNotRegularFile));
}

QString ioErrorMessage(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return tr8(record_texts::kFileNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
        return tr8(record_texts::kAccessDenied);
    case EMFILE:
    case ENFILE:
        return tr8(record_texts::kTooManyOpenFiles);
    case EINVAL:
    case ENAMETOOLONG:
        return tr8(record_texts::kBadFileName);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return tr8(record_texts::kDiskFull);
    default:
        return tr8(record_texts::kOtherIoError).arg(errorNumber);
    }
}

} // namespace kalidor
