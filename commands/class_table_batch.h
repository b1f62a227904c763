#pragma once
// Working on a group of pupils at once from the competence table: validating competences,
// taking their validation back, moving pupils to another class. Each pupil is one save of its
// record, made only when its file still holds what the table read: a pupil saved, deleted or
// replaced on another machine since is left as it is and named in the summary.

#include "records/class_table.h"
#include "records/shared_state.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace kalidor {

// A pupil as the table read it, and the competences (slots) a batch acts on; none for a class
// change.
struct BatchPupil {
    TablePupil pupil;
    QList<int> competences;
};

// What "Valider…" writes into each competence, as the sheet would.
struct ValidationDetails {
    QString teacher;
    QString date; // ten characters, as the masked date field gives them
    QString discipline;
    // A competence validated already takes these details too; otherwise it keeps its own.
    bool replace = false;
};

// What a pupil's file holds once a batch dealt with it: what was written, or what another
// machine left there (nothing: the file was deleted).
struct PupilNow {
    QString number;
    std::optional<TFiche> record;
};

// Receives each pupil as soon as its file is known, so that a batch stopped by a failure has
// shown the pupils it wrote.
using PupilShown = std::function<void(const PupilNow&)>;

// What the validation dialog says will happen: "12 élèves, compétence 7 (2.3) : 9 à valider,
// 3 déjà validées".
QString validationPlan(const QList<BatchPupil>& pupils);
// How many of the cells are validated: what taking the validation back would change.
int validatedCells(const QList<BatchPupil>& pupils);
// "Retirer la validation de 3 compétences pour 2 élèves ?"; nothing when no cell is validated.
std::optional<QString> unvalidateQuestion(const QList<BatchPupil>& pupils);
// "Nouvelle classe de 2 élèves :".
QString classChangePlan(const QList<BatchPupil>& pupils);

// The batches. Each returns the summary's lines and throws IoError when a write fails, its
// message ending with how many pupils were modified; those stay modified. The folder is
// flushed once, at the end.
QStringList validateCompetences(const SharedState& state, const QList<BatchPupil>& pupils,
                                const ValidationDetails& details, const PupilShown& shown = {});
// The details stay in the record, as when a box is unticked on the sheet.
QStringList unvalidateCompetences(const SharedState& state, const QList<BatchPupil>& pupils,
                                  const PupilShown& shown = {});
QStringList changeClass(const SharedState& state, const QList<BatchPupil>& pupils,
                        const QString& classe, const PupilShown& shown = {});

} // namespace kalidor
