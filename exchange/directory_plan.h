#pragma once
// What importing a school directory's export would do to the data folder, worked out before
// anything is written: which pupils are new, which change class, which are left as they are
// and which the user must check, class by class.

#include "exchange/school_directory.h"
#include "records/pupil_batch.h"
#include "records/record_file.h"
#include "records/shared_state.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace kalidor {

// A pupil of the data folder, as enumerateRecords hands it out.
struct FolderPupil {
    QString number;
    TFiche record;
};

struct DirectoryFolder {
    QList<FolderPupil> pupils;
    QList<RecordFailure> unreadable; // their numbers are taken all the same
};

// Every pupil of the data folder `prefix`. Throws IoError when the folder cannot be listed.
DirectoryFolder readDirectoryFolder(const QString& prefix);

// One class of the export as it will be imported.
struct ClassPreview {
    QString label;  // as the export names it
    QString stored; // as the records will hold it
    int pupils = 0;
    int created = 0;
    int moved = 0; // pupils of the folder whose class changes
    int unchanged = 0;
    int toCheck = 0;
    bool clash = false; // another label of the export is stored alike
};

// A line of the export that could be more than one pupil of the folder, or the pupil of
// the folder that another line could be too: nothing is done for it.
struct PupilToCheck {
    DirectoryPupil pupil;
    QStringList numbers; // the pupils of the folder it could be
};

// One change to the folder: a new pupil (no number, `before` empty), or a pupil whose class
// changes (its number, the record as read, which the file must still hold when it is written).
struct DirectoryAction {
    QString number;
    std::optional<TFiche> before;
    TFiche after;
};

struct DirectoryPlan {
    QList<ClassPreview> classes; // in the order of the export
    QList<PupilToCheck> toCheck;
    int absent = 0; // pupils of the folder no line of the export names
    int freeNumbers = 0;
    int cannotCreate = 0;           // new pupils beyond the free numbers
    QList<DirectoryAction> actions; // the class changes first, then the new pupils
};

// The class as a record stores a label: cut as the class import cuts it, each character as a
// record holds it.
QString storedClassName(const QString& label);

// Works out the import. A pupil of the export is a pupil of the folder with the same name,
// first name and birth date, compared as the record stores them (matchingKey); a birth date
// that is not dd/mm/yyyy, on either side, leaves the names alone to decide. `storedNames`
// holds the user's own names for some labels (storedClassName applied to them too). Pupils
// whose number is not a plain run of digits are left out: no command touches them.
DirectoryPlan planDirectoryImport(const DirectoryFolder& folder, const SchoolDirectory& directory,
                                  const QHash<QString, QString>& storedNames = {});

struct DirectoryImport {
    int moved = 0;
    int created = 0;
    // Class changes left undone because the file no longer held the record the plan read.
    QList<DirectoryAction> changedMeanwhile;
};

// Receives the number and the record of each pupil whose class the import changed, once saved.
using MovedPupil = std::function<void(const QString& number, const TFiche& record)>;

// Carries out the plan's actions in `state`'s data folder: each class change only while the
// file still holds the record the plan read (another machine may have saved the pupil since),
// then the new pupils (PupilAdder), each handed to `batch`, which is asked between two actions
// whether to stop. Throws IoError; one thrown while creating pupils says how many were created.
DirectoryImport importDirectory(const SharedState& state, const DirectoryPlan& plan,
                                const PupilBatch& batch = {}, const MovedPupil& moved = {});

// The summary's lines.
QString absentText(int count);
QString cannotCreateText(int count);

} // namespace kalidor
