#pragma once
// What a pupil's competence sheet leaves once it closes, for the lists that show the pupil.

#include "records/tfiche.h"

#include <QString>
#include <optional>

namespace kalidor {

struct ClosedSheet {
    bool opened = false; // false: the sheet did not open (no such number, an unreadable file)
    // What the pupil's file holds once the sheet closed: what it saved, or what another machine
    // saved meanwhile; nothing when the file was deleted meanwhile.
    std::optional<TFiche> record;
    // The number the pupil's file has then: the one opened, or the new number it was saved
    // under when another machine deleted it or gave its number to another pupil meanwhile.
    QString number;
};

} // namespace kalidor
