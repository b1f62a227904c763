#include "cli/table_text.h"

#include "records/class_table_texts.h"
#include "records/utf8.h"

namespace kalidor::cli {

namespace {

// A tab or a line break in a name would move the cells after it.
QString cell(QString text) {
    for (QChar& ch : text) {
        if (ch == u'\t' || ch == u'\n' || ch == u'\r') {
            ch = u' ';
        }
    }
    return text;
}

QString row(const QStringList& cells) {
    QStringList kept;
    kept.reserve(cells.size());
    for (const QString& text : cells) {
        kept.append(cell(text));
    }
    return kept.join(u'\t');
}

} // namespace

QStringList tableTextRows(const ClassTable& table, const QList<TablePupil>& pupils) {
    using namespace class_table_texts;
    const int first = firstSlot(table.level);
    const int count = slotCount(table.level);

    QStringList heading{tr8(kCsvNom), tr8(kCsvPrenom), tr8(kCsvClasse), tr8(kCsvNumero)};
    for (int slot = first; slot < first + count; ++slot) {
        heading.append(tr8(kCsvCompetence).arg(competence(slot).number));
    }
    heading << tr8(kColumnTotal) << tr8(kColumnLevel) << tr8(kColumnMissing);
    QStringList rows{row(heading)};

    const QString mark = tr8(kValidatedMark);
    for (const TableRow& tableRow : table.rows) {
        const TablePupil& pupil = pupils.at(tableRow.pupil);
        QStringList cells{pupil.nom, pupil.prenom, pupil.classe, pupil.number};
        for (int slot = first; slot < first + count; ++slot) {
            cells.append(pupil.valide(slot) ? mark : QString());
        }
        cells << tableTotalText(table.level, tableRow.validated) << tableLevelText(tableRow.held)
              << missingText(tableRow.missing);
        rows.append(row(cells));
    }

    // Under the identity, the competences' counts; under "Niveau", the pupils holding the level.
    QStringList counts{tr8(kCountsRow), {}, {}, {}};
    for (const int validatedBy : table.validatedBy) {
        counts.append(QString::number(validatedBy));
    }
    counts << QString() << heldByText(table) << QString();
    rows.append(row(counts));
    return rows;
}

} // namespace kalidor::cli
