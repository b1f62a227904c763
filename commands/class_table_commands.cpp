#include "commands/class_table_commands.h"

#include "records/atomic_file.h"

namespace kalidor {

FolderTable readFolderTable(const QString& prefix, int level, const TableClass& classe) {
    TablePupils read = readTablePupils(prefix);
    FolderTable folder{std::move(read.pupils), std::move(read.failures), {}};
    folder.table = buildClassTable(folder.pupils, level, classe);
    return folder;
}

void writeTableCsv(const QString& fileName, const ClassTable& table,
                   const QList<TablePupil>& pupils) {
    const QByteArray bytes = tableCsv(table, pupils);
    replaceFile(fileName, bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace kalidor
