#pragma once
// What a pupil's competence sheet leaves once it closes, for the lists that show the pupil.

#include "records/tfiche.h"

#include <optional>

namespace kalidor {

struct ClosedSheet {
    bool opened = false; // false: the sheet did not open (no such number, an unreadable file)
    // What the pupil's file holds once the sheet closed: what it saved, or what another machine
    // saved meanwhile; nothing when the file was deleted meanwhile.
    std::optional<TFiche> record;
};

} // namespace kalidor
