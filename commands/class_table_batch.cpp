#include "commands/class_table_batch.h"

#include "commands/command_texts.h"
#include "records/atomic_file.h"
#include "records/io_error.h"
#include "records/posix_file.h"
#include "records/pupil_identity.h"
#include "records/record_file.h"
#include "records/utf8.h"

namespace kalidor {

namespace {

// "%1 élève" or "%1 élèves": the singular for 0 and 1, as French counts.
QString counted(int count, const char* one, const char* many) {
    return tr8(count > 1 ? many : one).arg(count);
}

// Dealing with each pupil whose file still holds what the table read: `change` modifies its
// record, which is written when it differs. The others are named in `summary`.
template <typename Change>
void eachPupil(const SharedState& state, const QList<BatchPupil>& pupils, const PupilShown& shown,
               QStringList& summary, Change change) {
    FolderFlushes flushes;
    int modified = 0;
    QStringList leftAlone;
    for (const BatchPupil& each : pupils) {
        const TablePupil& pupil = each.pupil;
        const QString fileName = recordFileName(state, pupil.number);
        const PupilFileNow now =
            pupilFileNow(fileName, ListEntry{pupil.line, pupil.number, pupil.stamp, 0});
        if (now.state != FileNow::Unchanged) {
            const bool deleted = now.state == FileNow::Deleted;
            leftAlone.append(
                tr8(deleted ? command_texts::kDeletedElsewhere : command_texts::kChangedElsewhere)
                    .arg(pupil.name(), pupil.number));
            // A file that cannot be read now keeps the row the table has.
            if (shown && now.state != FileNow::Unreadable) {
                shown({pupil.number, now.record});
            }
            continue;
        }
        TFiche record = *now.record;
        change(record, each);
        if (record.bytes() == now.record->bytes()) {
            continue;
        }
        flushes.add(posix::path(state.prefix));
        try {
            writeRecordFile(fileName, record, FolderFlush::Later);
        } catch (const IoError& error) {
            throw IoError(error.message() + QLatin1Char('\n') +
                              counted(modified, command_texts::kStoppedAfterOne,
                                      command_texts::kStoppedAfterMany),
                          error.errorNumber());
        }
        ++modified;
        if (shown) {
            shown({pupil.number, record});
        }
    }
    flushes.flush();
    summary += leftAlone;
}

int cellCount(const QList<BatchPupil>& pupils) {
    int cells = 0;
    for (const BatchPupil& each : pupils) {
        cells += static_cast<int>(each.competences.size());
    }
    return cells;
}

} // namespace

QString validationPlan(const QList<BatchPupil>& pupils) {
    QList<int> chosen;
    for (const BatchPupil& each : pupils) {
        for (const int slot : each.competences) {
            if (!chosen.contains(slot)) {
                chosen.append(slot);
            }
        }
    }
    const int already = validatedCells(pupils);
    const QString count = counted(static_cast<int>(pupils.size()), command_texts::kPupilsOne,
                                  command_texts::kPupilsMany);
    const QString toValidate = QString::number(cellCount(pupils) - already);
    const QString validated =
        counted(already, command_texts::kAlreadyValidatedOne, command_texts::kAlreadyValidatedMany);
    if (chosen.size() == 1) {
        return tr8(command_texts::kPlanOneCompetence)
            .arg(count, QString::number(competence(chosen.first()).number),
                 itemCode(chosen.first()), toValidate, validated);
    }
    return tr8(command_texts::kPlanCompetences)
        .arg(count,
             counted(static_cast<int>(chosen.size()), command_texts::kCompetencesOne,
                     command_texts::kCompetencesMany),
             toValidate, validated);
}

int validatedCells(const QList<BatchPupil>& pupils) {
    int validated = 0;
    for (const BatchPupil& each : pupils) {
        for (const int slot : each.competences) {
            validated += each.pupil.valide(slot) ? 1 : 0;
        }
    }
    return validated;
}

std::optional<QString> unvalidateQuestion(const QList<BatchPupil>& pupils) {
    int cells = 0;
    int holders = 0;
    for (const BatchPupil& each : pupils) {
        const int held = validatedCells({each});
        cells += held;
        holders += held > 0 ? 1 : 0;
    }
    if (cells == 0) {
        return std::nullopt;
    }
    return tr8(command_texts::kUnvalidateQuestion)
        .arg(counted(cells, command_texts::kCompetencesOne, command_texts::kCompetencesMany),
             counted(holders, command_texts::kPupilsOne, command_texts::kPupilsMany));
}

QString classChangePlan(const QList<BatchPupil>& pupils) {
    return tr8(command_texts::kClassChangePlan)
        .arg(counted(static_cast<int>(pupils.size()), command_texts::kPupilsOne,
                     command_texts::kPupilsMany));
}

QStringList validateCompetences(const SharedState& state, const QList<BatchPupil>& pupils,
                                const ValidationDetails& details, const PupilShown& shown) {
    int validated = 0;
    int kept = 0;
    int replaced = 0;
    QStringList summary;
    eachPupil(state, pupils, shown, summary, [&](TFiche& record, const BatchPupil& each) {
        for (const int slot : each.competences) {
            if (record.valide(slot) && !details.replace) {
                ++kept;
                continue;
            }
            ++(record.valide(slot) ? replaced : validated);
            record.setValide(slot, true);
            record.setDate(slot, details.date);
            record.setProfesseur(slot, details.teacher);
            record.setDiscipline(slot, details.discipline);
        }
    });
    QStringList counts{
        counted(validated, command_texts::kValidatedOne, command_texts::kValidatedMany)};
    if (kept > 0) {
        counts.append(counted(kept, command_texts::kKeptOne, command_texts::kKeptMany));
    }
    if (replaced > 0) {
        counts.append(counted(replaced, command_texts::kReplacedOne, command_texts::kReplacedMany));
    }
    return counts + summary;
}

QStringList unvalidateCompetences(const SharedState& state, const QList<BatchPupil>& pupils,
                                  const PupilShown& shown) {
    int removed = 0;
    QStringList summary;
    eachPupil(state, pupils, shown, summary, [&](TFiche& record, const BatchPupil& each) {
        for (const int slot : each.competences) {
            removed += record.valide(slot) ? 1 : 0;
            record.setValide(slot, false);
        }
    });
    return QStringList{
               counted(removed, command_texts::kUnvalidatedOne, command_texts::kUnvalidatedMany)} +
           summary;
}

QStringList changeClass(const SharedState& state, const QList<BatchPupil>& pupils,
                        const QString& classe, const PupilShown& shown) {
    int moved = 0;
    QStringList summary;
    eachPupil(state, pupils, shown, summary, [&](TFiche& record, const BatchPupil&) {
        const QString before = record.classe();
        record.setClasse(classe);
        moved += record.classe() != before ? 1 : 0;
    });
    return QStringList{
               tr8(moved > 1 ? command_texts::kClassChangedMany : command_texts::kClassChangedOne)
                   .arg(QString::number(moved), classe)} +
           summary;
}

} // namespace kalidor
