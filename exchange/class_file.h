#pragma once
// Class text files: one pupil a line, "name;first name" (or "name<tab>first name", as a
// spreadsheet exports it), the class being the file's name.

#include "records/posix_file.h"
#include "records/pupil_batch.h"
#include "records/shared_state.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <optional>

namespace kalidor {

// The text of one line: UTF-8 when its bytes are valid UTF-8 with at least one non-ASCII
// character, Windows-1252 otherwise. A leading UTF-8 byte-order mark is dropped.
QString decodeClassText(const QByteArray& bytes);

// The class of a file's pupils: the file's name without folder, up to its first '.', cut as
// classFromLabel cuts it.
QString classFromFileName(const QString& fileName);

// A class label cut to the record's 8 characters once its accents are composed; a control
// character becomes '?'.
QString classFromLabel(const QString& label);

struct ClassLine {
    QString nom;
    QString prenom;
};

// Split at the first ';', or at the first tab in a line without ';', with nothing trimmed; a
// line with neither is all first name.
ClassLine splitClassLine(const QString& line);

// A line of nothing but blanks, tabs and ';' (an empty row of a spreadsheet) names nobody.
bool namesNobody(const QString& line);

// Reads a class file one block at a time, so that memory stays the same whatever its size.
// Lines end with CR LF, LF or a bare CR. Files that start with a UTF-16 byte-order mark are
// read as UTF-16; any other file decides its encoding line by line (decodeClassText), so a
// file mixing UTF-8 and Windows-1252 lines keeps the accents of both.
//
// A file holding a NUL byte or a control character that no text holds is not text. The first
// block is checked when the file is opened, before any line is handed out; each later block
// when it is read, and the lines stop there.
class ClassFileReader {
public:
    static constexpr qsizetype kBlockSize = 64 * 1024;
    // The bytes of a line that are kept; the rest of a longer line is skipped. A record keeps
    // at most 20 characters of a name and of a first name.
    static constexpr qsizetype kLineLimit = 4096;

    // Opens the file and reads its first block. Not open when the file cannot be opened or is
    // a folder; throws the not-a-file IoError for a pipe, a socket or a device, and IoError
    // when a read fails. Another block size (4 bytes at least) serves to try the lines that
    // cross blocks.
    explicit ClassFileReader(const QString& fileName, qsizetype blockSize = kBlockSize);

    bool isOpen() const { return file_.isOpen(); }
    // False once a block read proved the file is not text.
    bool isText() const { return text_; }
    // The next line that is not empty; nothing at the end of the file or of its text. Throws
    // IoError.
    std::optional<QString> nextLine();

private:
    bool readBlock();
    std::optional<QByteArray> nextRawLine();

    posix::File file_;
    qsizetype blockSize_;
    off_t offset_ = 0;
    bool text_ = true;
    bool utf16_ = false;
    QStringDecoder decoder_;
    QString pendingSurrogate_;
    QByteArray block_; // bytes of the block being split, UTF-16 already turned into UTF-8
    qsizetype position_ = 0;
    bool afterCr_ = false; // the last line ended with CR: an LF right after belongs to it
};

// The message refusing a file that is not text, and the one for a file whose text stops after
// `created` pupils were made.
QString notTextMessage(const QString& fileName);
QString notTextFurtherMessage(const QString& fileName, int created);

// Creates one record file per line that names somebody, with the first free numbers, on an
// otherwise blank record: name and first name of the line, class of the file's name, each as
// a record field stores it (storableText). Each new pupil goes to `added` at once. Returns how
// many pupils were created. Throws IoError, also once the numbers up to 999 are used, saying
// how many pupils were created: those stay.
int importClass(const SharedState& state, const QString& classe, ClassFileReader& reader,
                const PupilBatch& batch);

} // namespace kalidor
