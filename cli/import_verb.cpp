// importer-classe: the pupils of a class file, created as the menu command creates them.

#include "cli/cli_output.h"
#include "cli/cli_texts.h"
#include "cli/verbs.h"
#include "commands/pupil_folder.h"
#include "records/utf8.h"

namespace kalidor::cli {

int runImporterClasse(const CliCall& call) {
    SharedState state = folderState(call);
    PupilFolder folder(state);
    BatchControl control;
    control.added = [](const ListEntry& entry) { printOut(entry.line); };
    // A write that fails or numbers that run out throw; the pupils printed so far stay.
    const BatchResult result = folder.importClass(call.classFile, control);
    printOut(tr8(result.created >= 2 ? cli_texts::kCreatedMany : cli_texts::kCreatedOne)
                 .arg(result.created));
    // Each message tells of a file not imported, or not to its end.
    for (const QString& message : result.messages) {
        printError(message);
    }
    return result.messages.isEmpty() ? kSucceeded : kFailed;
}

} // namespace kalidor::cli
