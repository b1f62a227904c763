#pragma once
// What the program's writers leave beside the files of a folder when they are killed half-way,
// and its removal once no machine can still be writing it.

#include <QString>
#include <QtGlobal>
#include <chrono>

namespace kalidor {

// Leftovers need this age before they are removed: a younger one may belong to a save or a
// creation running now on another machine that shares the folder.
inline constexpr std::chrono::minutes kStaleLeftoverAge{10};

// Removes from the folder `prefix` (ending with '/', or empty for the current folder) what a
// killed writer left beside the files whose names end in `extension`, once older than `age`:
// its temporaries, regular files named ".<file name>.kalidor-tmp-XXXXXX" of at most `maxSize`
// bytes, and its claims, folders named ".<file name>.kalidor-claim" holding nothing but such
// temporaries. Anything else, however alike, is left alone. Ages are measured by the clock of
// the folder's server (the time it stamps a file made there now), never by this machine's,
// which may run ahead of it; nothing is removed when that time cannot be had.
void removeStaleLeftovers(const QString& prefix, const char* extension, qint64 maxSize,
                          std::chrono::seconds age = kStaleLeftoverAge);

} // namespace kalidor
