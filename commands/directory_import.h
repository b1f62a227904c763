#pragma once
// Importing the pupils of the school directory's export: the preview, worked out without
// writing anything, then the import of what the user accepted.

#include "exchange/directory_plan.h"
#include "exchange/school_directory.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace kalidor {

// What importing the export would do to the folder as it was read.
class DirectoryPreview {
public:
    // Reads the export and the folder's pupils. Throws IoError: the file cannot be read or is
    // not an export of the school directory.
    DirectoryPreview(const QString& prefix, const QString& fileName);

    const QString& fileName() const { return fileName_; }
    const SchoolDirectory& directory() const { return directory_; }
    const DirectoryPlan& plan() const { return plan_; }

    // The user's name for the class of the export labelled `label`; the plan is worked out
    // again with it (cut to what a record keeps).
    void setStoredName(const QString& label, const QString& stored);

    // The preview as lines of text: the classes, the pupils left out, those to check, the
    // pupils of the folder the file does not name and the new pupils no number is left for.
    QStringList lines() const;
    // The pupils left out and those to check, each under its title; none, no title.
    QStringList pupilLines() const;
    // The pupils of the folder the file does not name, the new pupils no number is left for.
    QStringList closingLines() const;

private:
    QString fileName_;
    SchoolDirectory directory_;
    DirectoryFolder folder_;
    QHash<QString, QString> storedNames_;
    DirectoryPlan plan_;
};

// The line of the preview for one class.
QString directoryClassLine(const ClassPreview& preview);

// What the import did, then each pupil left undone; the last lines of the preview that still
// hold (pupils absent from the file).
QStringList directorySummary(const DirectoryPreview& preview, const DirectoryImport& done);

} // namespace kalidor
