#pragma once
// The pupils of a school directory's export: the collège's XML (ElevesSansAdresses.xml, alone
// or in its zip) or the primary school's CSV extraction. Only names, birth dates and classes
// are read; addresses and every other column stay in the file.

#include <QList>
#include <QString>

namespace kalidor {

// A pupil of the export, its texts as the file gives them, blanks trimmed.
struct DirectoryPupil {
    QString nom;
    QString prenom;
    QString dateNaissance;
    QString classe; // the class's label in the export
    QString source; // the XML's ELEVE_ID; empty for a CSV line
};

enum class IgnoredReason {
    Left,     // a leaving date
    Inactive, // the class "Inactifs"
    NoName,
};

struct IgnoredPupil {
    DirectoryPupil pupil;
    IgnoredReason reason;
};

struct SchoolDirectory {
    QList<DirectoryPupil> pupils; // those to import, in the file's order
    QList<IgnoredPupil> ignored;
};

// Reads the export, whichever of its forms the file holds (a zip, XML or CSV, told by its
// first bytes). Throws IoError: the runtime's message when the file cannot be read, or one
// naming the file and what was expected when it is not an export of the school directory.
SchoolDirectory readSchoolDirectory(const QString& fileName);

// Why a pupil is left out, as the preview shows it.
QString ignoredReasonText(IgnoredReason reason);

// Text as two names are compared: accents and case ignored, blanks at either end trimmed.
QString matchingKey(const QString& text);

} // namespace kalidor
