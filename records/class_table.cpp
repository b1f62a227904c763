#include "records/class_table.h"

#include "records/class_table_texts.h"
#include "records/cp1252.h"
#include "records/list_lines.h"
#include "records/list_order.h"
#include "records/record_texts.h"
#include "records/referential.h"
#include "records/utf8.h"

#include <QStringBuilder>
#include <algorithm>

namespace kalidor {

namespace {

// Put before a cell's text, the spreadsheet keeps the cell as text.
constexpr char kTextCellMark = '\'';

const ListOrder& listOrder() {
    static const ListOrder order;
    return order;
}

bool before(const TablePupil& a, const TablePupil& b) {
    return listOrder().compare(a.line, b.line) < 0;
}

// A date with nothing typed in it: blanks and the mask's slashes.
bool blankDate(const QString& date) {
    return std::all_of(date.cbegin(), date.cend(),
                       [](QChar ch) { return ch == QLatin1Char(' ') || ch == QLatin1Char('/'); });
}

// Fills `pattern` with the values in one call.
QString filled(const char* pattern, const QStringList& values) {
    const QString text = tr8(pattern);
    switch (values.size()) {
    case 1:
        return text.arg(values[0]);
    case 2:
        return text.arg(values[0], values[1]);
    case 3:
        return text.arg(values[0], values[1], values[2]);
    default:
        return text.arg(values[0], values[1], values[2], values[3]);
    }
}

int competenceNumber(int slot) {
    return competence(slot).number;
}

// What a spreadsheet reads as the start of a formula in a cell it opens.
bool startsLikeAFormula(const QString& field) {
    static constexpr char16_t kFormulaLeads[] = u"=+-@";
    return !field.isEmpty() && QStringView(kFormulaLeads).contains(field.front());
}

void appendCsvField(QByteArray& out, const QString& field) {
    // Names and classes come from class files and transfer files written elsewhere: a cell that
    // looks like a formula is kept as text, which the spreadsheet shows as it is.
    const QByteArray bytes =
        startsLikeAFormula(field) ? (QLatin1Char(kTextCellMark) + field).toUtf8() : field.toUtf8();
    if (!bytes.contains(';') && !bytes.contains('"') && !bytes.contains('\n') &&
        !bytes.contains('\r')) {
        out += bytes;
        return;
    }
    QByteArray quoted = bytes;
    quoted.replace("\"", "\"\"");
    out += '"';
    out += quoted;
    out += '"';
}

// The class as a text: the class, "(sans classe)" or "Toutes les classes".
QString classNameOf(const TableClass& classe) {
    if (!classe) {
        return tr8(class_table_texts::kAllClasses);
    }
    return classe->isEmpty() ? tr8(class_table_texts::kNoClass) : *classe;
}

void appendCsvRow(QByteArray& out, const QStringList& fields) {
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out += ';';
        }
        appendCsvField(out, fields.at(i));
    }
    out += "\r\n";
}

} // namespace

TablePupil::TablePupil(const QString& numberText, const TFiche& record)
    : number(numberText), nom(record.nom()), prenom(record.prenom()), classe(record.classe()),
      line(byNameLine(nom, prenom, classe, numberText)), validated(validatedSlots(record)),
      stamp(recordStamp(record)) {
    // Teachers validate competences in sessions: a detail is often the one of the validated
    // competence before, and is then kept as one byte.
    const auto eachDetail = [&](const auto& visit) {
        std::array<QByteArrayView, kDetailFields> before{};
        bool first = true;
        for (int slot = 1; slot <= kSlotCount; ++slot) {
            if (!validated[slot]) {
                continue;
            }
            const std::array<QByteArrayView, kDetailFields> details{
                record.stored(TFiche::dateField(slot)),
                record.stored(TFiche::disciplineField(slot)),
                record.stored(TFiche::professeurField(slot))};
            for (int field = 0; field < kDetailFields; ++field) {
                visit(!first && details[field] == before[field], details[field]);
            }
            before = details;
            first = false;
        }
    };
    // Sized first: a thousand pupils, each grown step by step, would scatter the heap.
    qsizetype size = 0;
    eachDetail([&](bool same, QByteArrayView bytes) { size += same ? 1 : 1 + bytes.size(); });
    details_.reserve(size);
    eachDetail([&](bool same, QByteArrayView bytes) {
        if (same) {
            details_.append(kSameAsBefore);
        } else {
            details_.append(static_cast<char>(bytes.size()));
            details_.append(bytes);
        }
    });
}

QString TablePupil::name() const {
    return nom % QLatin1Char(' ') % prenom;
}

QString TablePupil::detail(int slot, int field) const {
    if (!validated[slot]) {
        return {};
    }
    // Where each field's value was last written out, up to this slot.
    std::array<qsizetype, kDetailFields> written{};
    qsizetype at = 0;
    for (int before = 1; before <= slot; ++before) {
        if (!validated[before]) {
            continue;
        }
        for (int kind = 0; kind < kDetailFields; ++kind) {
            if (details_.at(at) == kSameAsBefore) {
                ++at;
                continue;
            }
            written[kind] = at;
            at += 1 + static_cast<unsigned char>(details_.at(at));
        }
    }
    const qsizetype start = written[field];
    return decodeCp1252(details_.constData() + start + 1,
                        static_cast<unsigned char>(details_.at(start)));
}

TablePupils readTablePupils(const QString& prefix) {
    TablePupils read;
    read.pupils.reserve(kMaxRecordNumber + 1);
    read.failures = enumerateRecords(prefix, [&](const QString& numberText, const TFiche& record) {
        // A copy such as "5.sauv.b2i" stays in the main list, where it can be seen; no command
        // acts on it, and it is no pupil of a class.
        if (isRecordNumber(numberText)) {
            read.pupils.append(TablePupil(numberText, record));
        }
    });
    // In place: each line ends with its own number, so no two are equal.
    std::sort(read.pupils.begin(), read.pupils.end(), before);
    return read;
}

void replaceTablePupil(QList<TablePupil>& pupils, const QString& numberText,
                       const std::optional<TFiche>& record) {
    pupils.removeIf([&](const TablePupil& pupil) { return pupil.number == numberText; });
    if (!record) {
        return;
    }
    TablePupil pupil(numberText, *record);
    const auto at = std::upper_bound(pupils.cbegin(), pupils.cend(), pupil, before);
    pupils.insert(at - pupils.cbegin(), std::move(pupil));
}

QStringList tableClasses(const QList<TablePupil>& pupils) {
    QStringList classes;
    for (const TablePupil& pupil : pupils) {
        if (!classes.contains(pupil.classe)) {
            classes.append(pupil.classe);
        }
    }
    // As "Tri par classes" orders its lines, each the class followed by " : ": "6A " comes
    // before "6A", the blank sorting before the separator's colon.
    const QLatin1String separator(record_texts::kClassSeparator);
    std::stable_sort(classes.begin(), classes.end(), [&](const QString& a, const QString& b) {
        return listOrder().compare(a + separator, b + separator) < 0;
    });
    return classes;
}

ClassTable buildClassTable(const QList<TablePupil>& pupils, int level, const TableClass& classe) {
    ClassTable table;
    table.level = level;
    table.classe = classe;
    table.validatedBy.fill(0, slotCount(level));
    const int first = firstSlot(level);
    for (qsizetype index = 0; index < pupils.size(); ++index) {
        const TablePupil& pupil = pupils.at(index);
        if (classe && pupil.classe != *classe) {
            continue;
        }
        const SlotFlags& flags = pupil.validated;
        TableRow row;
        row.pupil = static_cast<int>(index);
        row.validated = validatedCount(level, flags);
        row.held = levelHeld(level, flags);
        if (!row.held) {
            row.missing = missingCompetences(level, flags);
        }
        for (int k = 0; k < slotCount(level); ++k) {
            table.validatedBy[k] += flags[first + k] ? 1 : 0;
        }
        table.heldBy += row.held ? 1 : 0;
        table.rows.append(row);
    }
    return table;
}

QString tableTotalText(int level, int validated) {
    return tr8(class_table_texts::kTotal).arg(validated).arg(slotCount(level));
}

QString tableLevelText(bool held) {
    return tr8(held ? class_table_texts::kHeld : class_table_texts::kNotHeld);
}

QString missingText(const MissingCompetences& missing) {
    if (missing.count == 0) {
        return {};
    }
    const QString count = QString::number(missing.count);
    if (missing.domains.isEmpty()) {
        return tr8(class_table_texts::kMissingCount).arg(count);
    }
    if (missing.domains.size() == 1) {
        return tr8(class_table_texts::kMissingOneDomain)
            .arg(count, QString::number(missing.domains.first()));
    }
    QStringList firsts;
    for (qsizetype i = 0; i + 1 < missing.domains.size(); ++i) {
        firsts.append(QString::number(missing.domains.at(i)));
    }
    return tr8(class_table_texts::kMissingDomains)
        .arg(count, firsts.join(tr8(class_table_texts::kDomainSeparator)),
             QString::number(missing.domains.last()));
}

QString domainBandText(int domain) {
    return tr8(class_table_texts::kDomainBand).arg(domain);
}

QString competenceCellText(const TablePupil& pupil, int slot) {
    const QString number = QString::number(competenceNumber(slot));
    if (!pupil.valide(slot)) {
        return tr8(class_table_texts::kCellNotValidated).arg(number);
    }
    const QString date = pupil.date(slot).trimmed();
    const QString teacher = pupil.professeur(slot).trimmed();
    const QString discipline = pupil.discipline(slot).trimmed();
    QStringList values{number};
    int form = 0;
    if (!blankDate(date)) {
        form |= 1;
        values.append(date);
    }
    if (!teacher.isEmpty()) {
        form |= 2;
        values.append(teacher);
    }
    if (!discipline.isEmpty()) {
        form |= 4;
        values.append(discipline);
    }
    return filled(class_table_texts::kCellValidated[form], values);
}

QString countCellText(int slot, int count) {
    return tr8(count >= 2 ? class_table_texts::kCountCellPlural
                          : class_table_texts::kCountCellSingular)
        .arg(competenceNumber(slot))
        .arg(count);
}

QString heldByText(const ClassTable& table) {
    return tr8(class_table_texts::kHeldBy).arg(table.heldBy).arg(table.rows.size());
}

QString tableClassLabel(const TableClass& classe) {
    QString label = classNameOf(classe);
    if (classe) {
        // "6A " and "6A" would look alike: each trailing blank shows as a mark.
        qsizetype blanks = 0;
        while (blanks < classe->size() && classe->at(classe->size() - 1 - blanks) == u' ') {
            ++blanks;
        }
        label.chop(blanks);
        label += tr8(class_table_texts::kTrailingBlank).repeated(blanks);
    }
    return label;
}

QString tableName(int level, const TableClass& classe) {
    if (!classe) {
        return tr8(class_table_texts::kTableNameAll).arg(levelName(level));
    }
    if (classe->isEmpty()) {
        return tr8(class_table_texts::kTableNameNoClass).arg(levelName(level));
    }
    return tr8(class_table_texts::kTableNameClass).arg(levelName(level), *classe);
}

QString printedTableTitle(int level, const TableClass& classe, const QDate& date) {
    return tr8(class_table_texts::kPrintedTitle)
        .arg(tableName(level, classe), date.toString(QStringLiteral("dd/MM/yyyy")));
}

QString tableFileName(int level, const TableClass& classe) {
    QString name = tr8(class_table_texts::kCsvFileName).arg(classNameOf(classe), levelName(level));
    // A class "6/A" would name a folder.
    for (QChar& ch : name) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\') ||
            ch.category() == QChar::Other_Control) {
            ch = QLatin1Char('-');
        }
    }
    return name;
}

QByteArray tableCsv(const ClassTable& table, const QList<TablePupil>& pupils) {
    const int first = firstSlot(table.level);
    const int count = slotCount(table.level);
    QByteArray out("\xEF\xBB\xBF");
    out.reserve(static_cast<qsizetype>(table.rows.size() + 1) * (64 + 11 * count));

    QStringList heading{tr8(class_table_texts::kCsvNom), tr8(class_table_texts::kCsvPrenom),
                        tr8(class_table_texts::kCsvClasse), tr8(class_table_texts::kCsvNumero)};
    for (int slot = first; slot < first + count; ++slot) {
        heading.append(tr8(class_table_texts::kCsvCompetence).arg(competenceNumber(slot)));
    }
    heading << tr8(class_table_texts::kColumnTotal) << tr8(class_table_texts::kColumnLevel)
            << tr8(class_table_texts::kColumnMissing);
    appendCsvRow(out, heading);

    const QString validatedNoDate = tr8(class_table_texts::kCsvValidatedNoDate);
    for (const TableRow& row : table.rows) {
        const TablePupil& pupil = pupils.at(row.pupil);
        QStringList fields{pupil.nom, pupil.prenom, pupil.classe, pupil.number};
        for (int slot = first; slot < first + count; ++slot) {
            if (!pupil.valide(slot)) {
                fields.append(QString());
                continue;
            }
            const QString date = pupil.date(slot).trimmed();
            fields.append(blankDate(date) ? validatedNoDate : date);
        }
        fields << tableTotalText(table.level, row.validated) << tableLevelText(row.held)
               << missingText(row.missing);
        appendCsvRow(out, fields);
    }
    return out;
}

} // namespace kalidor
