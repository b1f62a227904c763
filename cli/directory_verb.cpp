// importer-annuaire: the pupils of the school directory's export, as the menu command imports
// them: the preview first, then the import, unless only the preview is asked for.

#include "cli/cli_output.h"
#include "cli/verbs.h"
#include "commands/directory_import.h"
#include "commands/pupil_folder.h"

namespace kalidor::cli {

int runImporterAnnuaire(const CliCall& call) {
    SharedState state = folderState(call);
    // An export that cannot be read, or is none, throws: nothing is written.
    const DirectoryPreview preview(state.prefix, call.directoryFile);
    for (const QString& line : preview.lines()) {
        printOut(line);
    }
    if (call.simulate) {
        return kSucceeded;
    }
    PupilFolder folder(state);
    BatchControl control;
    control.added = [](const ListEntry& entry) { printOut(entry.line); };
    control.changed = [](const ListEntry& entry) { printOut(entry.line); };
    // A write that fails or numbers that run out throw; the pupils printed so far stay.
    const BatchResult result = folder.importDirectory(preview, control);
    for (const QString& message : result.messages) {
        printOut(message);
    }
    return kSucceeded;
}

} // namespace kalidor::cli
