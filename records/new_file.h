#pragma once
// Creating a file only where no file of that name is, also when programs on other machines
// create files in the same shared folder at the same moment through mounts of their own.

#include "records/atomic_file.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <optional>

namespace kalidor {

// The ways a new file takes its name, best first. A way that a folder's file system refuses is
// remembered for that folder, so that the next files start with the way after it.
enum class NewFileMethod {
    // A rename that refuses to replace (renameat2 with RENAME_NOREPLACE).
    RenameWithoutReplacing,
    // A hard link of the temporary under the name.
    Link,
    // A plain rename, once the server itself has said that nothing has the name: under the
    // claim, no other machine that claims may take it meanwhile.
    RenameUnderClaim,
};

// Writes `data` as the new file `fileName`, only if no entry of that name exists, even when a
// program on another machine creates the same name at the same moment through its own mount of
// a shared folder. A number becomes this program's in three steps:
// - the claim: the folder ".<name>.kalidor-claim", which a share's server creates for one
//   machine only, and which holds its owner's temporary while the file is written;
// - the file: written whole and flushed as that temporary, then given its name by the first
//   way above that the file system offers;
// - the check: the file read back and compared with `data`, byte for byte.
// Returns what the file holds once named: the data, as the share keeps it. Nothing, and nothing
// of ours left under the name, when the name or its claim is taken. Throws IoError.
std::optional<QByteArray> createNewFile(const QString& fileName, const char* data, size_t size,
                                        FolderFlush flush = FolderFlush::Now);

// Whether the server of a shared folder has an entry of that name: an open, which a share's
// client asks of its server, where it may answer a lookup from a cache that still holds what
// another machine deleted. An entry that cannot be opened is there all the same. A client that
// fails without a word about the name is asked again after short pauses; one that still does
// throws IoError: a doubt is never taken for a name taken.
bool nameOnServer(const QByteArray& path);

// createNewFile starting at `first`: for tests, so that each way is tried also on a file system
// that offers the better ones.
std::optional<QByteArray> createNewFileFrom(NewFileMethod first, const QString& fileName,
                                            const char* data, size_t size, FolderFlush flush);

} // namespace kalidor
