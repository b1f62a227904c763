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
    // Read by hand: a QDate::fromString with a format costs as much as the rest of the plan.
    const auto digits = [&date](qsizetype from, qsizetype count) {
        int value = 0;
        for (qsizetype i = from; i < from + count; ++i) {
            if (!date.at(i).isDigit() || date.at(i).unicode() > '9') {
                return -1;
            }
            value = value * 10 + (date.at(i).unicode() - '0');
        }
        return value;
    };
    if (date.size() != 10 || date.at(2) != QLatin1Char('/') || date.at(5) != QLatin1Char('/')) {
        return QString();
    }
    const int day = digits(0, 2);
    const int month = digits(3, 2);
    const int year = digits(6, 4);
    return day >= 0 && month >= 0 && year >= 0 && QDate(year, month, day).isValid() ? date
                                                                                    : QString();
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

// Text as `field` would hold it, without making a record: a stored character is one byte.
QString heldText(ShortStringField field, const QString& text) {
    return storableText(text).left(field.capacity);
}

// A line's identity as it would be stored.
Identity lineIdentity(const DirectoryPupil& pupil) {
    return {matchingKey(heldText(fields::kNom, pupil.nom)) + QChar(0) +
                matchingKey(heldText(fields::kPrenom, pupil.prenom)),
            birthDateKey(heldText(fields::kDateNais, pupil.dateNaissance))};
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
    // A record is three kilobytes: growing the list a pupil at a time would copy them again and
    // again.
    folder.pupils.reserve(kMaxRecordNumber);
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
    // Pupils and lines are gathered by name (a group per name, found by one hash each): only
    // those of one group may be the same pupil.
    QHash<QString, int> groupOf;
    groupOf.reserve(folder.pupils.size() + directory.pupils.size());
    const auto group = [&groupOf](const QString& names) {
        int& found = groupOf[names];
        if (found == 0) {
            found = static_cast<int>(groupOf.size());
        }
        return found - 1;
    };
    QList<QList<int>> pupilsOfGroup;
    QList<QList<int>> linesOfGroup;
    const auto member = [](QList<QList<int>>& groups, int group, int index) {
        if (groups.size() <= group) {
            groups.resize(group + 1);
        }
        groups[group].append(index);
    };

    QList<const FolderPupil*> pupils;
    QList<Identity> pupilIdentities;
    for (const FolderPupil& pupil : folder.pupils) {
        taken.insert(takenNumber(pupil.number));
        if (isRecordNumber(pupil.number)) {
            pupilIdentities.append(identityOf(pupil.record));
            member(pupilsOfGroup, group(pupilIdentities.back().names),
                   static_cast<int>(pupils.size()));
            pupils.append(&pupil);
        }
    }
    taken.remove(0);
    plan.freeNumbers = kMaxRecordNumber - static_cast<int>(taken.size());

    // Each line of the export with the pupils of the folder it may be, and the reverse count.
    const QList<DirectoryPupil>& lines = directory.pupils;
    QList<Identity> lineIdentities;
    lineIdentities.reserve(lines.size());
    QList<int> lineGroups;
    lineGroups.reserve(lines.size());
    QList<qsizetype> lineClasses; // the index of each line's class in plan.classes
    lineClasses.reserve(lines.size());
    QList<QByteArray> storedBytes; // each class as a record's bytes hold it
    QHash<QString, qsizetype> classIndex;
    QList<QList<int>> candidates(lines.size());
    QList<int> linesPerPupil(pupils.size(), 0);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // An export lists a class's pupils one after another: the label is looked up once.
        const QString& label = lines[i].classe;
        if (i == 0 || label != lines[i - 1].classe) {
            qsizetype& index = classIndex[label];
            if (index == 0) {
                const QString text =
                    heldText(fields::kClasse, storedClassName(storedNames.value(label, label)));
                plan.classes.append({label, text});
                storedBytes.append(encodeCp1252(text));
                index = plan.classes.size();
            }
            lineClasses.append(index - 1);
        } else {
            lineClasses.append(lineClasses.back());
        }
        lineIdentities.append(lineIdentity(lines[i]));
        lineGroups.append(group(lineIdentities.back().names));
        member(linesOfGroup, lineGroups.back(), static_cast<int>(i));
        for (const int pupil : pupilsOfGroup.value(lineGroups.back())) {
            if (maySame(lineIdentities.back(), pupilIdentities[pupil])) {
                candidates[i].append(pupil);
                ++linesPerPupil[pupil];
            }
        }
    }

    QList<DirectoryAction> creations;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        ClassPreview& preview = plan.classes[lineClasses[i]];
        ++preview.pupils;
        const QList<int>& found = candidates[i];
        const QList<int>& namesakes = linesOfGroup[lineGroups[i]];
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
            creations.append({QString(), std::nullopt, newRecord(lines[i], preview.stored)});
        } else if (const FolderPupil& pupil = *pupils[found[0]];
                   pupil.record.stored(fields::kClasse) == storedBytes[lineClasses[i]]) {
            ++preview.unchanged;
        } else {
            ++preview.moved;
            TFiche moved = pupil.record;
            moved.setClasse(preview.stored);
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
