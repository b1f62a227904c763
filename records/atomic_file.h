#pragma once
// Replacing a file's content so that a failure, a power cut or a killed process at any moment
// leaves either the old content or the new one, never a mix; never replacing a file the user may
// not write.

#include <QByteArray>
#include <QString>
#include <cstddef>
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

} // namespace kalidor
