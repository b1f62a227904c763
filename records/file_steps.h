#pragma once
// The steps that every writer of the program's files shares: the hidden names beside a file,
// a new temporary, and a write that is on the disk before anything else happens.

#include "records/posix_file.h"

#include <QByteArray>
#include <cstddef>

namespace kalidor::file_steps {

// What marks the program's own entries beside a file it writes, so that nothing else is ever
// taken for one: ".<name>.kalidor-tmp-" and six random characters for a temporary,
// ".<name>.kalidor-claim" for a claim.
inline constexpr char kTemporaryMark[] = ".kalidor-tmp-";
inline constexpr char kRandomPart[] = "XXXXXX";
inline constexpr char kClaimMark[] = ".kalidor-claim";

// The folder of `path`, ending with '/'.
QByteArray folderOf(const QByteArray& path);
// The file name of `path`, without its folder.
QByteArray nameOf(const QByteArray& path);
// The hidden name beside `target` made of its name and `mark`.
QByteArray besideName(const QByteArray& target, const QByteArray& mark);

[[noreturn]] void throwError(int error);

// A new empty temporary in `folder` (ending with '/') for the file `target`, with the
// permissions of a new file; `name` is set to its path.
posix::File openTemporary(const QByteArray& folder, const QByteArray& target, QByteArray& name);

// How a file is written: from empty, or over an older content that may be longer.
enum class Written { New, OverOld };

// The one way every file is written: all of `data`, over an older content the file cut to its
// size, the data on the disk, the file closed. When a step fails, the file `written` is removed
// (unless empty: a file rewritten in place stays) and the error thrown. A new file is not cut:
// some shares' clients (smbnetfs) refuse to cut a file just written.
void writeFlushClose(posix::File& file, const QByteArray& written, const char* data, size_t size,
                     Written how = Written::New);

} // namespace kalidor::file_steps
