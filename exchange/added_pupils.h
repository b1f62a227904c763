#pragma once
// What a loop that adds pupils to the data folder hands to the window that ran it.

#include "records/list_lines.h"

#include <functional>

namespace kalidor {

// Receives the main list's line of each new record file, in the sort flag's format, with its
// number, as soon as the file exists: a loop stopped by a failure has listed what it created.
using PupilAdded = std::function<void(const ListEntry&)>;

} // namespace kalidor
