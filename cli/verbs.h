#pragma once
// The verbs of kalidor-cli, each on the folder of the call. Each returns the exit status and
// lets an IoError out, which ends the program with its message.

#include "cli/cli_call.h"
#include "records/record_file.h"
#include "records/shared_state.h"

namespace kalidor::cli {

// The program's state on the call's folder, as the program has it on its own folder.
inline SharedState folderState(const CliCall& call) {
    SharedState state;
    state.prefix = dataDirectoryPrefix(call.folder);
    return state;
}

int runListe(const CliCall& call);
int runImporterClasse(const CliCall& call);
int runTableau(const CliCall& call);
int runVerifier(const CliCall& call);
int runImporterAnnuaire(const CliCall& call);

} // namespace kalidor::cli
