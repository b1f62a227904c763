#include "commands/pupil_save.h"

#include "commands/command_texts.h"
#include "records/new_file.h"
#include "records/pupil_files.h"
#include "records/pupil_identity.h"
#include "records/record_file.h"
#include "records/utf8.h"

namespace kalidor {

namespace {

// Tells the number a pupil was saved under, when it is not the one its sheet was opened on or
// the pupil had to be created again.
QString savedUnder(const QString& number, const TFiche& toSave, UserAnswers& user) {
    user.tell(tr8(command_texts::kSavedUnderNumber).arg(pupilName(toSave), number));
    return number;
}

} // namespace

std::optional<QString> saveOpenedPupil(const SharedState& state, const QString& numberText,
                                       const std::optional<TFiche>& opened, const TFiche& toSave,
                                       UserAnswers& user) {
    const QString fileName = recordFileName(state, numberText);
    const QString name = pupilName(opened ? *opened : toSave);
    PupilFileNow now = pupilFileNow(fileName, opened);
    if (now.state == FileNow::Unchanged && !opened) {
        // A sheet opened on a number without a file creates it only while it is still free.
        if (createNewFile(fileName, toSave.bytes().data(), TFiche::kSize)) {
            return numberText;
        }
        now = pupilFileNow(fileName, opened);
    }
    switch (now.state) {
    case FileNow::Unchanged:
        break;
    case FileNow::Changed:
    case FileNow::Unreadable:
        if (!user.ask(tr8(command_texts::kSaveOverOtherSave).arg(name))) {
            return std::nullopt;
        }
        break;
    case FileNow::Deleted:
        if (!user.ask(tr8(command_texts::kSaveDeletedElsewhere).arg(name))) {
            return std::nullopt;
        }
        // Under its own number while that is free, else under the first free one.
        if (createNewFile(fileName, toSave.bytes().data(), TFiche::kSize)) {
            return savedUnder(numberText, toSave, user);
        }
        return savedUnder(createRecordFile(state, toSave).number, toSave, user);
    case FileNow::OtherPupil:
        if (!user.ask(tr8(command_texts::kSaveOtherPupilNow)
                          .arg(numberText, pupilName(*now.record), name))) {
            return std::nullopt;
        }
        return savedUnder(createRecordFile(state, toSave).number, toSave, user);
    }
    writeRecordFile(fileName, toSave);
    return numberText;
}

} // namespace kalidor
