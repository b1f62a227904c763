#pragma once
// What the fuzzing targets share: a failed check ends the run with its reason, and files live
// in temporary folders that last as long as the run.

#include "records/record_texts.h"
#include "records/utf8.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace kalidor::fuzz {

inline void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// Whether a list line shows the number its entry keeps, as its last words.
inline bool showsNumber(const QString& line, const QString& number) {
    return line.endsWith(tr8(record_texts::kNumberSeparator) + number);
}

// A temporary folder for the whole run; TMPDIR chooses where (a memory file system keeps the
// flushed saves cheap).
class RunFolder {
public:
    RunFolder() { check(dir_.isValid(), "no temporary folder"); }
    QString path() const { return dir_.path(); }
    // The path with a trailing '/', as a data folder is written.
    QString prefix() const { return dir_.path() + QLatin1Char('/'); }
    // Removes every file left by the previous input.
    void empty() const {
        QDir folder(dir_.path());
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            // A whole path: a name starting with ':' would be taken for a Qt resource.
            check(QFile::remove(dir_.path() + QLatin1Char('/') + name), "cannot empty the folder");
        }
    }

private:
    QTemporaryDir dir_;
};

inline void writeFile(const QString& fileName, const char* data, size_t size) {
    QFile file(fileName);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input file");
    check(file.write(data, static_cast<qint64>(size)) == static_cast<qint64>(size),
          "short write of the input file");
}

inline QByteArray readFile(const QString& fileName) {
    QFile file(fileName);
    check(file.open(QIODevice::ReadOnly), "cannot read a written file");
    return file.readAll();
}

} // namespace kalidor::fuzz
