#include "cli/cli_call.h"

#include "cli/cli_texts.h"
#include "records/class_table_texts.h"
#include "records/utf8.h"

#include <QMap>
#include <algorithm>
#include <utility>

namespace kalidor::cli {

namespace {

using namespace cli_texts;

struct VerbSyntax {
    const char* name;
    Verb verb;
    QList<const char*> options; // each takes a value
    bool takesFile;             // one argument that is not an option
    QList<const char*> flags{}; // options without a value
};

const QList<VerbSyntax>& verbs() {
    static const QList<VerbSyntax> syntax{
        {kVerbListe, Verb::Liste, {kOptionVue}, false},
        {kVerbImporterClasse, Verb::ImporterClasse, {}, true},
        {kVerbTableau, Verb::Tableau, {kOptionClasse, kOptionNiveau, kOptionCsv}, false},
        {kVerbVerifier, Verb::Verifier, {}, false},
        {kVerbImporterAnnuaire, Verb::ImporterAnnuaire, {}, true, {kOptionSimuler}},
    };
    return syntax;
}

ParsedCall wrong(const QString& reason) {
    return {{}, reason};
}

// The arguments after the verb: options with their values ("--vue classes" or "--vue=classes")
// and the others.
struct VerbArguments {
    QMap<QString, QString> options;
    QStringList flags;
    QStringList others;
};

// The arguments sorted out, or what is wrong with them.
std::optional<QString> readVerbArguments(const VerbSyntax& syntax, const QStringList& arguments,
                                         VerbArguments& read) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            read.others.append(argument);
            continue;
        }
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? argument : argument.left(equals);
        const bool flag = std::any_of(syntax.flags.cbegin(), syntax.flags.cend(),
                                      [&](const char* option) { return argument == tr8(option); });
        if (flag) {
            read.flags.append(argument);
            continue;
        }
        const bool known = std::any_of(syntax.options.cbegin(), syntax.options.cend(),
                                       [&](const char* option) { return name == tr8(option); });
        if (!known) {
            return tr8(kUnknownOption).arg(tr8(syntax.name), name);
        }
        if (equals >= 0) {
            read.options.insert(name, argument.mid(equals + 1));
        } else if (i + 1 < arguments.size()) {
            read.options.insert(name, arguments.at(++i));
        } else {
            return tr8(kMissingValue).arg(name);
        }
    }
    return std::nullopt;
}

std::optional<ListView> viewNamed(const QString& name) {
    static constexpr std::pair<const char*, ListView> kViews[] = {
        {kVueTous, ListView::AllByName},         {kVueClasses, ListView::AllByClass},
        {kVueEcole, ListView::WithEcole},        {kVueCollege, ListView::WithCollege},
        {kVueSansEcole, ListView::WithoutEcole}, {kVueSansCollege, ListView::WithoutCollege},
    };
    for (const auto& [text, view] : kViews) {
        if (name == tr8(text)) {
            return view;
        }
    }
    return std::nullopt;
}

// Fills the verb's part of the call from its arguments, or says what is wrong.
std::optional<QString> readVerb(const VerbSyntax& syntax, const VerbArguments& read,
                                CliCall& call) {
    if (syntax.takesFile && read.others.isEmpty()) {
        return tr8(syntax.verb == Verb::ImporterAnnuaire ? kMissingDirectoryFile
                                                         : kMissingClassFile);
    }
    if (read.others.size() > (syntax.takesFile ? 1 : 0)) {
        return tr8(kExtraArgument).arg(read.others.last());
    }
    const auto wrongValue = [&](const char* option) {
        return tr8(kWrongValue).arg(tr8(option), read.options.value(tr8(option)));
    };
    const auto missing = [&](const char* option) {
        return tr8(kMissingOption).arg(tr8(syntax.name), tr8(option));
    };
    switch (syntax.verb) {
    case Verb::Liste:
        if (read.options.contains(tr8(kOptionVue))) {
            const std::optional<ListView> view = viewNamed(read.options.value(tr8(kOptionVue)));
            if (!view) {
                return wrongValue(kOptionVue);
            }
            call.view = *view;
        }
        break;
    case Verb::ImporterClasse:
        call.classFile = read.others.first();
        break;
    case Verb::ImporterAnnuaire:
        call.directoryFile = read.others.first();
        call.simulate = read.flags.contains(tr8(kOptionSimuler));
        break;
    case Verb::Tableau: {
        if (!read.options.contains(tr8(kOptionClasse))) {
            return missing(kOptionClasse);
        }
        if (!read.options.contains(tr8(kOptionNiveau))) {
            return missing(kOptionNiveau);
        }
        const QString classe = read.options.value(tr8(kOptionClasse));
        call.classe = classe == tr8(class_table_texts::kNoClass) ? QString() : classe;
        const QString level = read.options.value(tr8(kOptionNiveau));
        if (level == tr8(kNiveauEcole)) {
            call.level = kLevelEcole;
        } else if (level == tr8(kNiveauCollege)) {
            call.level = kLevelCollege;
        } else {
            return wrongValue(kOptionNiveau);
        }
        if (read.options.contains(tr8(kOptionCsv))) {
            call.csvFile = read.options.value(tr8(kOptionCsv));
        }
        break;
    }
    case Verb::Verifier:
    case Verb::Help:
        break;
    }
    return std::nullopt;
}

} // namespace

ParsedCall parseCall(const QStringList& arguments) {
    if (arguments.contains(tr8(kOptionHelp))) {
        return {};
    }
    if (arguments.isEmpty()) {
        return wrong(tr8(kMissingFolder));
    }
    if (arguments.size() < 2) {
        return wrong(tr8(kMissingVerb));
    }
    const QString& verb = arguments.at(1);
    const auto syntax =
        std::find_if(verbs().cbegin(), verbs().cend(),
                     [&](const VerbSyntax& candidate) { return verb == tr8(candidate.name); });
    if (syntax == verbs().cend()) {
        return wrong(tr8(kUnknownVerb).arg(verb));
    }
    ParsedCall parsed;
    parsed.call.verb = syntax->verb;
    parsed.call.folder = arguments.at(0);
    VerbArguments read;
    std::optional<QString> error = readVerbArguments(*syntax, arguments.mid(2), read);
    if (!error) {
        error = readVerb(*syntax, read, parsed.call);
    }
    if (error) {
        return wrong(*error);
    }
    return parsed;
}

} // namespace kalidor::cli
