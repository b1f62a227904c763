// tableau: the competence table of a class, as text or as the spreadsheet file.

#include "cli/cli_output.h"
#include "cli/cli_texts.h"
#include "cli/table_text.h"
#include "cli/verbs.h"
#include "commands/class_table_commands.h"
#include "records/utf8.h"

namespace kalidor::cli {

namespace {

// The class asked for holds no pupil: most often a typing slip, so the folder's classes follow.
QString noSuchClass(const QString& classe, const QStringList& classes) {
    QString message = tr8(cli_texts::kNoSuchClass).arg(tableClassLabel(classe));
    if (!classes.isEmpty()) {
        QStringList labels;
        for (const QString& each : classes) {
            labels.append(tableClassLabel(each));
        }
        message += QLatin1Char('\n') +
                   tr8(cli_texts::kFolderClasses).arg(labels.join(tr8(cli_texts::kClassSeparator)));
    }
    return message;
}

} // namespace

int runTableau(const CliCall& call) {
    const FolderTable folder = readFolderTable(folderState(call).prefix, call.level, call.classe);
    const QStringList classes = tableClasses(folder.pupils);
    const bool known = classes.contains(call.classe);
    if (!known) {
        printError(noSuchClass(call.classe, classes));
    } else if (call.csvFile) {
        writeTableCsv(*call.csvFile, folder.table, folder.pupils);
    } else {
        for (const QString& row : tableTextRows(folder.table, folder.pupils)) {
            printOut(row);
        }
    }
    if (!folder.failures.isEmpty()) {
        printError(describeFailures(folder.failures));
    }
    return known && folder.failures.isEmpty() ? kSucceeded : kFailed;
}

} // namespace kalidor::cli
