#include "platform/other_save_question.h"

#include "records/record_file.h"
#include "records/utf8.h"

namespace kalidor {

bool mayReplaceOtherSave(Platform& platform, QWidget* parent, const QString& fileName,
                         const std::optional<TFiche>& readBefore, const TFiche& toSave,
                         const char* question) {
    if (recordFileUnchanged(fileName, readBefore)) {
        return true;
    }
    const TFiche& atStake = readBefore ? *readBefore : toSave;
    return platform.askYesNo(
        parent, tr8(question).arg(atStake.nom() + QLatin1Char(' ') + atStake.prenom()));
}

} // namespace kalidor
