#pragma once
// The program's one shared state: the current record and the main list's bookkeeping. The
// application makes one at start-up and hands it to every window; a test makes its own.

#include "records/tfiche.h"

#include <QString>

namespace kalidor {

struct SharedState {
    TFiche current;          // every reader fills it, every writer writes from it
    QString currentFileName; // full path of the record file opened, created or deleted last
    QString prefix;          // the data folder, ending with '/'

    bool sortByName = true; // the main list's line format: by name, or by class when false
    QString countLine;      // the count line under the list
};

} // namespace kalidor
