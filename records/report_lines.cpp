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
    return tr8(report_texts::kReportCompetence) + QString::number(number) + tr8(label) + rest;
}

QString totalLine(int level, int count) {
    return isEcole(level) ? tr8(report_texts::kTotalEcole) + QString::number(count) +
                                tr8(report_texts::kOutOfEcole)
                          : tr8(report_texts::kTotalCollege) + QString::number(count) +
                                tr8(report_texts::kOutOfCollege);
}

constexpr VerdictWordings kVerdictLines{report_texts::kHeldEcole, report_texts::kNotHeldEcole,
                                        report_texts::kHeldCollege, report_texts::kNotHeldCollege};

QStringList header(const TFiche& record, const char* heading) {
    return {tr8(report_texts::kFicheTitle), pupilNameLine(record), tr8(heading)};
}

// One text per level.
struct ByLevel {
    const char* ecole;
    const char* college;

    const char* of(int level) const { return isEcole(level) ? ecole : college; }
};

// What tells the review from the sheet: each level's heading and label of a validated item,
// whether that item names its discipline, and the blank line after the école total.
struct CompetenceReportWording {
    ByLevel heading;
    ByLevel validated;
    bool withDiscipline;
    bool blankLineAfterEcoleTotal;
};

constexpr CompetenceReportWording kReviewWording{
    .heading = {report_texts::kReviewHeadingEcole, report_texts::kReviewHeadingCollege},
    .validated = {report_texts::kReviewOk, report_texts::kReviewOk},
    .withDiscipline = true,
    .blankLineAfterEcoleTotal = false};

constexpr CompetenceReportWording kSheetWording{
    .heading = {report_texts::kSheetHeadingEcole, report_texts::kSheetHeadingCollege},
    .validated = {report_texts::kValidatedEcole, report_texts::kValidatedCollege},
    .withDiscipline = false,
    .blankLineAfterEcoleTotal = true};

constexpr ByLevel kNotValidated{report_texts::kNotValidatedEcole,
                                report_texts::kNotValidatedCollege};

QStringList competenceReportLines(const TFiche& record, int level,
                                  const CompetenceReportWording& wording) {
    QStringList lines = header(record, wording.heading.of(level));
    const int first = firstSlot(level);
    int count = 0;
    for (int n = 1; n <= slotCount(level); ++n) {
        const int slot = first + n - 1;
        if (!record.valide(slot)) {
            lines.append(competenceLine(n, kNotValidated.of(level)));
            continue;
        }
        QString details = record.professeur(slot) + QLatin1Char(' ');
        if (wording.withDiscipline) {
            details += record.discipline(slot) + QLatin1Char(' ');
        }
        lines.append(competenceLine(n, wording.validated.of(level), details + record.date(slot)));
        ++count;
    }
    lines.append(totalLine(level, count));
    if (isEcole(level) && wording.blankLineAfterEcoleTotal) {
        lines.append(tr8(report_texts::kReportBlankLine));
    }
    lines.append(tr8(verdictWording(kVerdictLines, level, levelHeldBy(record, level))));
    return lines;
}

} // namespace

QString pupilNameLine(const TFiche& record) {
    return QLatin1Char(' ') + record.nom() + QLatin1Char(' ') + record.prenom() +
           tr8(report_texts::kReportClasse) + record.classe();
}

QStringList reviewLines(const TFiche& record, int level) {
    return competenceReportLines(record, level, kReviewWording);
}

QStringList sheetLines(const TFiche& record, int level) {
    return competenceReportLines(record, level, kSheetWording);
}

void validateAll(TFiche& record) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        record.setValide(slot, true);
    }
}

QStringList validateAllLines(const TFiche& record) {
    QStringList lines = header(record, report_texts::kSheetHeadingEcole);
    for (int slot = firstSlot(kLevelEcole); slot < firstSlot(kLevelCollege); ++slot) {
        lines.append(competenceLine(slot, report_texts::kValidatedEcole));
    }
    lines.append(totalLine(kLevelEcole, slotCount(kLevelEcole)));
    lines.append(tr8(report_texts::kReportBlankLine));
    lines.append(tr8(report_texts::kSheetHeadingCollege));
    // The collège lines carry the slot numbers, 23 to 51.
    for (int slot = firstSlot(kLevelCollege); slot <= kSlotCount; ++slot) {
        lines.append(competenceLine(slot, report_texts::kValidatedCollege));
    }
    lines.append(totalLine(kLevelCollege, slotCount(kLevelCollege)));
    return lines;
}

QString printedDate(const QDate& date) {
    return tr8(report_texts::kPrintedDate)
        .arg(QString::number(date.day()), QString::number(date.month()),
             QString::number(date.year()));
}

int pageCount(int lines, int perPage) {
    return lines / perPage + (lines % perPage != 0 ? 1 : 0);
}

QString refusalMessage(const TFiche& record, int level) {
    // One substitution for all three: a '%' in a name stays as typed.
    return tr8(isEcole(level) ? report_texts::kRefusalEcole : report_texts::kRefusalCollege)
        .arg(record.nom(), record.prenom(), record.classe());
}

QString batchCountMessage(int lines, int pages) {
    return tr8(report_texts::kBatchCount).arg(lines).arg(pages);
}

QString attestationName(const TFiche& record) {
    return record.nom() + QLatin1Char(' ') + record.prenom() + QLatin1Char(' ') + record.classe();
}

} // namespace kalidor
