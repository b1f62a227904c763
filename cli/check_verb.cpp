// verifier: what the folder holds that is not a readable pupil; nothing is changed.

#include "cli/cli_output.h"
#include "cli/cli_texts.h"
#include "cli/verbs.h"
#include "commands/pupil_folder.h"
#include "records/utf8.h"

namespace kalidor::cli {

int runVerifier(const CliCall& call) {
    SharedState state = folderState(call);
    const QStringList found = PupilFolder(state).check();
    if (found.isEmpty()) {
        printOut(tr8(cli_texts::kCheckClean));
        return kSucceeded;
    }
    for (const QString& line : found) {
        printOut(line);
    }
    const auto count = static_cast<int>(found.size());
    printError(tr8(count >= 2 ? cli_texts::kCheckFoundMany : cli_texts::kCheckFoundOne).arg(count));
    return kFailed;
}

} // namespace kalidor::cli
