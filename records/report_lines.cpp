#include "records/report_lines.h"

#include "records/level_rules.h"
#include "records/referential.h"
#include "records/report_texts.h"
#include "records/utf8.h"

namespace kalidor {

namespace {

bool isEcole(int level) {
    return level == kLevelEcole;
}

QString competenceLine(int number, const char* label, const QString& rest = {}) {
    return tr8(texts::kReportCompetence) + QString::number(number) + tr8(label) + rest;
}

QString totalLine(int level, int count) {
    return isEcole(level)
               ? tr8(texts::kTotalEcole) + QString::number(count) + tr8(texts::kOutOfEcole)
               : tr8(texts::kTotalCollege) + QString::number(count) + tr8(texts::kOutOfCollege);
}

QString verdictLine(int level, bool held) {
    if (isEcole(level)) {
        return tr8(held ? texts::kHeldEcole : texts::kNotHeldEcole);
    }
    return tr8(held ? texts::kHeldCollege : texts::kNotHeldCollege);
}

QStringList header(const TFiche& record, const char* heading) {
    return {tr8(texts::kFicheTitle), pupilNameLine(record), tr8(heading)};
}

} // namespace

QString pupilNameLine(const TFiche& record) {
    return QLatin1Char(' ') + record.nom() + QLatin1Char(' ') + record.prenom() +
           tr8(texts::kReportClasse) + record.classe();
}

QStringList reviewLines(const TFiche& record, int level) {
    const bool ecole = isEcole(level);
    QStringList lines =
        header(record, ecole ? texts::kReviewHeadingEcole : texts::kReviewHeadingCollege);
    const int first = firstSlot(level);
    int count = 0;
    for (int n = 1; n <= slotCount(level); ++n) {
        const int slot = first + n - 1;
        if (record.valide(slot)) {
            lines.append(competenceLine(n, texts::kReviewOk,
                                        record.professeur(slot) + QLatin1Char(' ') +
                                            record.discipline(slot) + QLatin1Char(' ') +
                                            record.date(slot)));
            ++count;
        } else {
            lines.append(
                competenceLine(n, ecole ? texts::kNotValidatedEcole : texts::kNotValidatedCollege));
        }
    }
    lines.append(totalLine(level, count));
    lines.append(verdictLine(level, levelHeld(level, validatedSlots(record))));
    return lines;
}

QStringList sheetLines(const TFiche& record, int level) {
    const bool ecole = isEcole(level);
    QStringList lines =
        header(record, ecole ? texts::kSheetHeadingEcole : texts::kSheetHeadingCollege);
    const int first = firstSlot(level);
    int count = 0;
    for (int n = 1; n <= slotCount(level); ++n) {
        const int slot = first + n - 1;
        if (record.valide(slot)) {
            lines.append(
                competenceLine(n, ecole ? texts::kValidatedEcole : texts::kValidatedCollege,
                               record.professeur(slot) + QLatin1Char(' ') + record.date(slot)));
            ++count;
        } else {
            lines.append(
                competenceLine(n, ecole ? texts::kNotValidatedEcole : texts::kNotValidatedCollege));
        }
    }
    lines.append(totalLine(level, count));
    if (ecole) {
        lines.append(tr8(texts::kReportBlankLine));
    }
    lines.append(verdictLine(level, levelHeld(level, validatedSlots(record))));
    return lines;
}

void validateAll(TFiche& record) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        record.setValide(slot, true);
    }
}

QStringList validateAllLines(const TFiche& record) {
    QStringList lines = header(record, texts::kSheetHeadingEcole);
    for (int slot = firstSlot(kLevelEcole); slot < firstSlot(kLevelCollege); ++slot) {
        lines.append(competenceLine(slot, texts::kValidatedEcole));
    }
    lines.append(totalLine(kLevelEcole, slotCount(kLevelEcole)));
    lines.append(tr8(texts::kReportBlankLine));
    lines.append(tr8(texts::kSheetHeadingCollege));
    // The collège lines carry the slot numbers, 23 to 51.
    for (int slot = firstSlot(kLevelCollege); slot <= kSlotCount; ++slot) {
        lines.append(competenceLine(slot, texts::kValidatedCollege));
    }
    lines.append(totalLine(kLevelCollege, slotCount(kLevelCollege)));
    return lines;
}

QString printedDate(const QDate& date) {
    const QString separator = tr8(texts::kPrintedDateSeparator);
    return tr8(texts::kPrintedDatePrefix) + QString::number(date.day()) + separator +
           QString::number(date.month()) + separator + QString::number(date.year());
}

int pageCount(int lines, int perPage) {
    return lines / perPage + (lines % perPage != 0 ? 1 : 0);
}

QString refusalMessage(const TFiche& record, int level) {
    return tr8(texts::kRefusalPupil) + record.nom() + QLatin1Char(' ') + record.prenom() +
           tr8(texts::kRefusalClass) + record.classe() +
           tr8(isEcole(level) ? texts::kRefusalEcole : texts::kRefusalCollege);
}

QString batchCountMessage(int lines, int pages) {
    return QString::number(lines) + tr8(texts::kBatchPupils) + QString::number(pages) +
           tr8(texts::kBatchPages);
}

QString attestationName(const TFiche& record) {
    return record.nom() + QLatin1Char(' ') + record.prenom() + QLatin1Char(' ') + record.classe();
}

QString attestationNameFromLine(const QString& line) {
    return lineBeforeNumber(line);
}

QString printedListTitle(ListView view) {
    switch (view) {
    case ListView::AllByName:
    case ListView::AllByClass:
        return tr8(texts::kListTitleAll);
    case ListView::WithEcole:
        return tr8(texts::kListTitleWithEcole);
    case ListView::WithCollege:
        return tr8(texts::kListTitleWithCollege);
    case ListView::WithoutEcole:
        return tr8(texts::kListTitleWithoutEcole);
    case ListView::WithoutCollege:
        return tr8(texts::kListTitleWithoutCollege);
    }
    return {};
}

} // namespace kalidor
