#include "records/pupil_identity.h"

#include "records/io_error.h"
#include "records/record_file.h"

#include <QHashFunctions>

#include <cerrno>

namespace kalidor {

namespace {

// What the file holds now: nothing when it has gone; Unreadable without a record when it
// cannot be read whole.
PupilFileNow readNow(const QString& fileName) {
    TFiche record;
    try {
        if (!readRecordIfPresent(fileName, record)) {
            return {FileNow::Deleted, std::nullopt};
        }
    } catch (const IoError&) {
        return {FileNow::Unreadable, std::nullopt};
    }
    return {FileNow::Unchanged, record};
}

} // namespace

bool samePupil(const TFiche& a, const TFiche& b) {
    for (const ShortStringField field :
         {fields::kNom, fields::kPrenom, fields::kClasse, fields::kDateNais}) {
        if (a.stored(field) != b.stored(field)) {
            return false;
        }
    }
    return true;
}

size_t identityStamp(const TFiche& record) {
    const size_t stamp =
        qHashMulti(0, record.stored(fields::kNom), record.stored(fields::kPrenom),
                   record.stored(fields::kClasse), record.stored(fields::kDateNais));
    return stamp == 0 ? 1 : stamp;
}

PupilFileNow pupilFileNow(const QString& fileName, const std::optional<TFiche>& before) {
    PupilFileNow now = readNow(fileName);
    if (!now.record) {
        if (now.state == FileNow::Deleted && !before) {
            now.state = FileNow::Unchanged;
        }
        return now;
    }
    if (!before) {
        now.state = FileNow::OtherPupil;
    } else if (now.record->bytes() != before->bytes()) {
        now.state = samePupil(*now.record, *before) ? FileNow::Changed : FileNow::OtherPupil;
    }
    return now;
}

PupilFileNow pupilFileNow(const QString& fileName, const ListEntry& listed) {
    PupilFileNow now = readNow(fileName);
    if (now.record && listed.stamp != 0 && recordStamp(*now.record) != listed.stamp) {
        const bool same = listed.identity == 0 || identityStamp(*now.record) == listed.identity;
        now.state = same ? FileNow::Changed : FileNow::OtherPupil;
    }
    return now;
}

QString pupilName(const TFiche& record) {
    return record.nom() + QLatin1Char(' ') + record.prenom();
}

} // namespace kalidor
