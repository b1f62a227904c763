#pragma once
// How kalidor-cli was called: the folder, the verb and its options, or what is wrong with the
// call.

#include "records/class_table.h"
#include "records/list_views.h"
#include "records/referential.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kalidor::cli {

// The exit statuses.
enum ExitStatus { kSucceeded = 0, kFailed = 1, kWrongCall = 2 };

enum class Verb { Help, Liste, ImporterClasse, Tableau, Verifier, ImporterAnnuaire };

struct CliCall {
    Verb verb = Verb::Help;
    QString folder;
    ListView view = ListView::AllByName; // liste
    QString classFile;                   // importer-classe
    QString classe;                      // tableau: as stored, empty for no class
    int level = kLevelEcole;             // tableau
    std::optional<QString> csvFile;      // tableau
    QString directoryFile;               // importer-annuaire
    bool simulate = false;               // importer-annuaire --simuler: the preview alone
};

// The call, or `error` says in French what is wrong with it. "--help" anywhere asks for the help.
struct ParsedCall {
    CliCall call;
    QString error;
};

// `arguments` without the program's name.
ParsedCall parseCall(const QStringList& arguments);

} // namespace kalidor::cli
