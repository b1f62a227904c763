#pragma once
// Class text files: one pupil a line, "name;first name", the class being the file's name.

#include "exchange/added_pupils.h"
#include "records/shared_state.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace kalidor {

// The text of a class file: UTF-8 when it starts with the UTF-8 byte-order mark, or when its
// bytes are valid UTF-8 with at least one non-ASCII character; Windows-1252 otherwise.
QString decodeClassText(const QByteArray& bytes);

// The class of a file's pupils: the file's name without folder, up to its first '.', cut to
// the record's 8 characters.
QString classFromFileName(const QString& fileName);

struct ClassLine {
    QString nom;
    QString prenom;
};

// Split at the first ';' with nothing trimmed; a line without ';' is all first name.
ClassLine splitClassLine(const QString& line);

struct ClassFile {
    QString classe;
    QStringList lines; // one per pupil; empty lines are not pupils
};

// Reads a class file, Windows or Unix line breaks alike. Nothing when the file cannot be
// opened; throws IoError when it cannot be read.
std::optional<ClassFile> readClassFile(const QString& fileName);

// Creates one record file per line with the first free numbers, name, first name and class
// set on an otherwise blank record. Once the numbers up to 999 are used, nothing more is
// written.
AddedPupils importClass(SharedState& state, const ClassFile& classFile);

} // namespace kalidor
