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
    int lastNumber = 0;      // result of the latest free-number search

    bool niveau1 = false; // set by testniveau1
    bool niveau2 = false; // set by testniveau2

    bool sortByName = true; // the main list's line format: by name, or by class when false
    int pupilCounter = 0;   // lines added by the latest view, adjusted by add and delete
    QString countLine;      // the count line under the list
};

} // namespace kalidor
