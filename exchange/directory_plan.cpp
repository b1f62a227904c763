#include "exchange/directory_plan.h"

#include "exchange/class_file.h"
#include "exchange/exchange_texts.h"
#include "records/cp1252.h"
#include "records/list_lines.h"
#include "records/posix_file.h"
#include "records/pupil_files.h"
#include "records/pupil_identity.h"
#include "records/utf8.h"

#include <QDate>
#include <QSet>
#include <algorithm>
#include <cstring>

namespace kalidor {

namespace {

// A birth date as pupils are matched on it: the text when it is a date written dd/mm/yyyy,
// else empty (unknown).
QString birthDateKey(const QString& text) {
    const QString date = text.trimmed();
    return QDate::fromString(date, QStringLiteral("dd/MM/yyyy")).isValid() ? date : QString();
}

struct Identity {
    QString names;
    QString birthDate;
};

Identity identityOf(const TFiche& record) {
    return {matchingKey(record.nom()) + QChar(0) + matchingKey(record.prenom()),
            birthDateKey(record.dateNais())};
}

// Whether two identities may be the same pupil: an unknown birth date leaves the names alone.
bool maySame(const Identity& a, const Identity& b) {
    return a.names == b.names &&
           (a.birthDate.isEmpty() || b.birthDate.isEmpty() || a.birthDate == b.birthDate);
}

// The record the class import would create for the pupil, the birth date added.
TFiche newRecord(const DirectoryPupil& pupil, const QString& classe) {
    TFiche record = blankRecord();
    record.setNom(storableText(pupil.nom));
    record.setPrenom(storableText(pupil.prenom));
    record.setClasse(classe);
    record.setDateNais(birthDateKey(pupil.dateNaissance));
    return record;
}

// The number 1..999 whose file is `n.b2i`, as the free-number search names it; 0 for another.
int takenNumber(const QString& numberText) {
    bool ok = false;
    const int number = numberText.toInt(&ok);
    return ok && number >= 1 && number <= kMaxRecordNumber && QString::number(number) == numberText
               ? number
               : 0;
}

void flagClashes(QList<ClassPreview>& classes) {
    QHash<QString, int> labels;
    for (const ClassPreview& preview : classes) {
        ++labels[matchingKey(preview.stored)];
    }
    for (ClassPreview& preview : classes) {
        preview.clash = labels.value(matchingKey(preview.stored)) > 1;
    }
}

} // namespace

DirectoryFolder readDirectoryFolder(const QString& prefix) {
    DirectoryFolder folder;
    folder.unreadable =
        enumerateRecords(prefix, [&folder](const QString& number, const TFiche& record) {
            folder.pupils.append({number, record});
        });
    return folder;
}

QString storedClassName(const QString& label) {
    return storableText(classFromLabel(label));
}

DirectoryPlan planDirectoryImport(const DirectoryFolder& folder, const SchoolDirectory& directory,
                                  const QHash<QString, QString>& storedNames) {
    DirectoryPlan plan;
    QSet<int> taken;
    for (const RecordFailure& failure : folder.unreadable) {
        taken.insert(takenNumber(failure.entryName.chopped(std::strlen(kRecordExtension))));
    }
    QList<const FolderPupil*> pupils;
    QList<Identity> pupilIdentities;
    QHash<QString, QList<int>> pupilsByName;
    for (const FolderPupil& pupil : folder.pupils) {
        taken.insert(takenNumber(pupil.number));
        if (isRecordNumber(pupil.number)) {
            pupilIdentities.append(identityOf(pupil.record));
            pupilsByName[pupilIdentities.back().names].append(pupils.size());
            pupils.append(&pupil);
        }
    }
    taken.remove(0);
    plan.freeNumbers = kMaxRecordNumber - static_cast<int>(taken.size());

    // Each line of the export with the pupils of the folder it may be, and the reverse count.
    const QList<DirectoryPupil>& lines = directory.pupils;
    QList<TFiche> records;
    QList<Identity> lineIdentities;
    QHash<QString, QList<int>> linesByName;
    QList<QList<int>> candidates(lines.size());
    QList<int> linesPerPupil(pupils.size(), 0);
    QHash<QString, qsizetype> classIndex;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& label = lines[i].classe;
        records.append(newRecord(lines[i], storedClassName(storedNames.value(label, label))));
        lineIdentities.append(identityOf(records.back()));
        linesByName[lineIdentities.back().names].append(i);
        for (const int pupil : pupilsByName.value(lineIdentities.back().names)) {
            if (maySame(lineIdentities.back(), pupilIdentities[pupil])) {
                candidates[i].append(pupil);
                ++linesPerPupil[pupil];
            }
        }
        if (!classIndex.contains(label)) {
            classIndex.insert(label, plan.classes.size());
            plan.classes.append({label, records.back().classe()});
        }
    }

    QList<DirectoryAction> creations;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        ClassPreview& preview = plan.classes[classIndex.value(lines[i].classe)];
        ++preview.pupils;
        const QList<int>& found = candidates[i];
        const QList<int>& namesakes = linesByName.value(lineIdentities[i].names);
        const bool twoLines = std::any_of(namesakes.cbegin(), namesakes.cend(), [&](int other) {
            return other != i && maySame(lineIdentities[i], lineIdentities[other]);
        });
        if (twoLines || found.size() > 1 || (found.size() == 1 && linesPerPupil[found[0]] > 1)) {
            ++preview.toCheck;
            PupilToCheck entry{lines[i], {}};
            for (const int pupil : found) {
                entry.numbers.append(pupils[pupil]->number);
            }
            plan.toCheck.append(entry);
        } else if (found.isEmpty()) {
            ++preview.created;
            creations.append({QString(), std::nullopt, records[i]});
        } else if (const FolderPupil& pupil = *pupils[found[0]];
                   pupil.record.stored(fields::kClasse) == records[i].stored(fields::kClasse)) {
            ++preview.unchanged;
        } else {
            ++preview.moved;
            TFiche moved = pupil.record;
            moved.setClasse(records[i].classe());
            plan.actions.append({pupil.number, pupil.record, moved});
        }
    }
    plan.actions.append(creations);
    plan.absent = static_cast<int>(std::count(linesPerPupil.cbegin(), linesPerPupil.cend(), 0));
    plan.cannotCreate = std::max(0, static_cast<int>(creations.size()) - plan.freeNumbers);
    flagClashes(plan.classes);
    return plan;
}

DirectoryImport importDirectory(const SharedState& state, const DirectoryPlan& plan,
                                const PupilBatch& batch, const MovedPupil& moved) {
    DirectoryImport done;
    FolderFlushes flushes;
    PupilAdder adder(state);
    for (const DirectoryAction& action : plan.actions) {
        if (batch.stopped()) {
            break;
        }
        if (!action.before) {
            const NewPupil pupil = adder.add(action.after);
            ++done.created;
            batch.add(recordEntry(pupil.record, pupil.number, state.sortByName));
            continue;
        }
        const QString fileName = recordFileName(state, action.number);
        if (pupilFileNow(fileName, action.before).state != FileNow::Unchanged) {
            done.changedMeanwhile.append(action);
            continue;
        }
        writeRecordFile(fileName, action.after, FolderFlush::Later);
        flushes.add(posix::path(state.prefix));
        ++done.moved;
        if (moved) {
            moved(action.number, action.after);
        }
    }
    adder.finish();
    flushes.flush();
    return done;
}

QString absentText(int count) {
    return tr8(count > 1 ? exchange_texts::kAbsentMany : exchange_texts::kAbsentOne).arg(count);
}

QString cannotCreateText(int count) {
    return tr8(count > 1 ? exchange_texts::kCannotCreateMany : exchange_texts::kCannotCreateOne)
        .arg(count);
}

} // namespace kalidor
