#pragma once
// Replacing a file's content so that a failure, a power cut or a killed process at any moment
// leaves either the old content or the new one, never a mix; never replacing a file the user may
// not write; and creating a new file only where no file of that name is, also when other
// machines create files in the same shared folder at the same moment.

#include <QByteArray>
#include <QString>
#include <chrono>
#include <cstddef>
#include <optional>
#include <sys/types.h>

namespace kalidor {

// When the folder is flushed after the new content took the file's name: at once, or once at
// the end of a command that writes a batch of files (see FolderFlushes).
enum class FolderFlush { Now, Later };

class AtomicFileWriter {
public:
    // Prepares the replacement of `fileName`. A symbolic link is followed to the file it names,
    // which is the one replaced, so the link stays a link. An existing file the user may not
    // write is refused ("Accès au fichier refusé") and left as it is. Throws IoError.
    explicit AtomicFileWriter(const QString& fileName);
    // Discards what was not committed: the file keeps its old content.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Adds to the new content, kept in memory until the commit.
    void write(const char* data, size_t size);
    // The new content is written and flushed to disk, then takes the file's name, with the
    // permission bits, owner and group the file had. Throws IoError.
    void commit(FolderFlush flush = FolderFlush::Now);

private:
    void discard();

    QByteArray target_;    // the file replaced, links followed
    QByteArray folder_;    // its folder, ending with '/'
    QByteArray temporary_; // the new content until it takes the name
    int fd_ = -1;
    // A file of another owner cannot be replaced by a new one that keeps its owner: its content
    // is rewritten in place instead.
    bool inPlace_ = false;
    QByteArray pending_; // everything written, in one write at the commit
};

// Writes `data` as the new file `fileName`, only if no entry of that name exists, even when a
// program on another machine creates the same name at the same moment through its own mount of
// a shared folder. Returns what the file holds, read back once it has its name: the data, as the
// share keeps it. Nothing, and nothing of ours left under the name, when the name is taken.
// Throws IoError.
std::optional<QByteArray> createNewFile(const QString& fileName, const char* data, size_t size,
                                        FolderFlush flush = FolderFlush::Now);

// The ways a new file takes its name, best first. createNewFile takes the next one when the
// file system refuses one.
enum class NewFileMethod {
    // A flushed temporary renamed by a rename that refuses to replace (renameat2 with
    // RENAME_NOREPLACE).
    RenameWithoutReplacing,
    // A hard link of the flushed temporary under the name.
    Link,
    // The name created only if absent (O_EXCL), then written and flushed: a crash while writing
    // can leave the file short.
    Exclusive,
};

// createNewFile starting at `first`: for tests, so that each fallback is tried also on a file
// system that offers the better ones.
std::optional<QByteArray> createNewFileFrom(NewFileMethod first, const QString& fileName,
                                            const char* data, size_t size, FolderFlush flush);

// The whole replacement in one call. Throws IoError.
void replaceFile(const QString& fileName, const char* data, size_t size,
                 FolderFlush flush = FolderFlush::Now);

// Makes the names just given to files in `folder` survive a power cut. Throws IoError.
void flushFolder(const QByteArray& folder);

// The folder a batch command wrote into with FolderFlush::Later, flushed once at its end, also
// when it ends by an exception.
class FolderFlushes {
public:
    FolderFlushes() = default;
    ~FolderFlushes();
    FolderFlushes(const FolderFlushes&) = delete;
    FolderFlushes& operator=(const FolderFlushes&) = delete;

    void add(const QByteArray& folder);
    // Flushes now; throws IoError.
    void flush();

private:
    QByteArray folder_;
};

// Leftovers from the writers above need this age before they are removed: a younger one may
// belong to a save or a creation running now on another machine that shares the folder.
inline constexpr std::chrono::minutes kStaleLeftoverAge{10};

// Removes from the folder `prefix` (ending with '/', or empty for the current folder) what a
// killed writer left beside the files whose names end in `extension`, once older than `age`:
// its temporaries, regular files named ".<file name>.kalidor-tmp-XXXXXX" of at most `maxSize`
// bytes, and its claims, empty folders named ".<file name>.kalidor-claim". Anything else,
// however alike, is left alone.
void removeStaleLeftovers(const QString& prefix, const char* extension, qint64 maxSize,
                          std::chrono::seconds age = kStaleLeftoverAge);

} // namespace kalidor
