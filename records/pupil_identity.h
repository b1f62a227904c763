#pragma once
// What tells one pupil from another, and what a pupil's file holds now against what was read or
// listed from it before: on a folder shared by several machines, a pupil is saved, deleted, and
// its number freed and given to another pupil, while this machine still shows the first one.

#include "records/list_lines.h"
#include "records/tfiche.h"

#include <QString>
#include <cstddef>
#include <optional>

namespace kalidor {

// Whether two records are the same pupil: the same name, first name, class and date of birth,
// as stored. The competences and their details may differ: the pupil saved again.
bool samePupil(const TFiche& a, const TFiche& b);
// A fingerprint of that identity, kept with a list line; never 0.
size_t identityStamp(const TFiche& record);

enum class FileNow {
    Unchanged,  // the bytes read before
    Changed,    // the same pupil, saved since
    OtherPupil, // another pupil: the number was freed and taken again, or a file appeared
    Deleted,    // no file any more
    Unreadable, // a file that cannot be read whole now
};

struct PupilFileNow {
    FileNow state = FileNow::Unchanged;
    std::optional<TFiche> record; // what the file holds, when it could be read
};

// Against the record read before; nothing read before stands for no file then.
PupilFileNow pupilFileNow(const QString& fileName, const std::optional<TFiche>& before);
// Against the pupil a list line showed (a line of unknown stamp or identity counts as showing
// what the file holds).
PupilFileNow pupilFileNow(const QString& fileName, const ListEntry& listed);

// "NOM Prénom": how the messages about a pupil name it.
QString pupilName(const TFiche& record);

} // namespace kalidor
