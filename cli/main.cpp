// kalidor-cli: the commands of KALIDOR on a program folder, from a terminal or a script. It never
// opens a window and needs no display.

#include "cli/cli_call.h"
#include "cli/cli_output.h"
#include "cli/cli_texts.h"
#include "cli/verbs.h"
#include "records/io_error.h"
#include "records/utf8.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace kalidor;
using namespace kalidor::cli;

namespace {

int wrongCall(const QString& reason) {
    printError(tr8(cli_texts::kWrongCall).arg(reason));
    return kWrongCall;
}

int run(const CliCall& call) {
    switch (call.verb) {
    case Verb::Liste:
        return runListe(call);
    case Verb::ImporterClasse:
        return runImporterClasse(call);
    case Verb::Tableau:
        return runTableau(call);
    case Verb::Verifier:
        return runVerifier(call);
    case Verb::ImporterAnnuaire:
        return runImporterAnnuaire(call);
    case Verb::Help:
        break;
    }
    printOut(tr8(cli_texts::kHelp));
    return kSucceeded;
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication application(argc, argv);
    const ParsedCall parsed = parseCall(QCoreApplication::arguments().mid(1));
    if (!parsed.error.isEmpty()) {
        return wrongCall(parsed.error);
    }
    if (parsed.call.verb != Verb::Help && !QFileInfo(parsed.call.folder).isDir()) {
        return wrongCall(tr8(cli_texts::kNoSuchFolder).arg(parsed.call.folder));
    }
    try {
        return run(parsed.call);
    } catch (const IoError& error) {
        printError(error.message());
        return kFailed;
    }
}
