#pragma once
// Saving the pupil of an open competence sheet into a folder other machines may share.

#include "commands/user_answers.h"
#include "records/shared_state.h"

#include <QString>
#include <optional>

namespace kalidor {

// Saves `toSave`, the pupil of a sheet opened on the file of `numberText` (`opened`: the record
// read then; nothing when there was no file), unless what the file holds now forbids it:
// - the same pupil, saved on another machine since: asks before replacing that save;
// - the pupil deleted on another machine: asks, then creates it again under that number while
//   it is free, else under the first free one, and tells which;
// - another pupil under the number (freed and taken again, or a file that appeared under a
//   number opened blank): never written over; asks whether to save under a new number, and
//   tells which.
// The questions name the pupil as the sheet opened it (as `toSave` has it when opened blank).
// Returns the number the pupil was saved under; nothing when the user keeps the sheet open.
// Throws IoError.
std::optional<QString> saveOpenedPupil(const SharedState& state, const QString& numberText,
                                       const std::optional<TFiche>& opened, const TFiche& toSave,
                                       UserAnswers& user);

} // namespace kalidor
