#pragma once
// Replacing a file's content so that a failure, a power cut or a killed process at any moment
// leaves either the old content or the new one, never a mix; and never replacing a file the
// user may not write.

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

    // Throws IoError.
    void write(const char* data, size_t size);
    // The new content takes the file's name, flushed to disk first, with the permission bits,
    // owner and group the file had. Throws IoError.
    void commit(FolderFlush flush = FolderFlush::Now);

private:
    void discard();

    QByteArray target_;    // the file replaced, links followed
    QByteArray folder_;    // its folder, ending with '/'
    QByteArray temporary_; // the new content until it takes the name
    int fd_ = -1;
    // A file of another owner cannot be replaced by a new one that keeps its owner: its content
    // is rewritten in place instead, in one write, once everything is known.
    bool inPlace_ = false;
    QByteArray pending_;
};

// How a new file takes its name without ever replacing a file of that name.
enum class NewFileMethod {
    // A rename that refuses to replace (renameat2 with RENAME_NOREPLACE); where the file system
    // does not offer it, Link; where links are refused too, Exclusive.
    Best,
    // A hard link of the flushed temporary under the name, then the temporary removed.
    Link,
    // The name created only if absent (O_EXCL), then written and flushed: on the rare file
    // systems that refuse both of the above, a crash while writing can leave the file short.
    Exclusive,
};

// Writes `data` as the new file `fileName`, only if no entry of that name exists at that
// instant, even when another program on another machine creates it at the same moment. False,
// with nothing written, when the name is taken. Throws IoError.
bool createNewFile(const QString& fileName, const char* data, size_t size,
                   FolderFlush flush = FolderFlush::Now,
                   NewFileMethod method = NewFileMethod::Best);

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

// Whether `name` (without folder) is a temporary file the writer above leaves behind when it is
// killed before it could rename or remove it, for a file whose name ends in `extension`:
// ".<file name>.XXXXXX".
bool isWriterTemporary(const QString& name, const QString& extension);

} // namespace kalidor
