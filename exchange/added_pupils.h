#pragma once
// What a loop that adds pupils to the data folder hands to the window that ran it.

#include "records/list_lines.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace kalidor {

// Receives the main list's line of each new record file, in the sort flag's format, with its
// number, as soon as the file exists: a loop stopped by a failure has listed what it created.
using PupilAdded = std::function<void(const ListEntry&)>;

struct AddedPupils {
    // The main list's line of each new record file, in the sort flag's format, with its number.
    QList<ListEntry> entries;
    // The runtime's message when a read or write failed and the loop stopped there; the
    // record files already written stay, and so do their lines.
    std::optional<QString> error;
};

} // namespace kalidor
