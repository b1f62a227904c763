// liste: the lines of a view in the order the main window shows them, then the count line.

#include "cli/cli_output.h"
#include "cli/verbs.h"
#include "commands/pupil_folder.h"
#include "records/list_order.h"

#include <algorithm>

namespace kalidor::cli {

int runListe(const CliCall& call) {
    SharedState state = folderState(call);
    PupilFolder folder(state);
    // A view, not the opening of the program: a listing removes nothing from the folder.
    ViewResult result = folder.view(call.view);
    const ListOrder order;
    std::stable_sort(
        result.entries.begin(), result.entries.end(),
        [&](const ListEntry& a, const ListEntry& b) { return order.compare(a.line, b.line) < 0; });
    for (const ListEntry& entry : result.entries) {
        printOut(entry.line);
    }
    printOut(state.countLine);
    if (result.failures.isEmpty()) {
        return kSucceeded;
    }
    printError(describeFailures(result.failures));
    return kFailed;
}

} // namespace kalidor::cli
