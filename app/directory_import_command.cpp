// Pupils from the school directory's export, from the main window.

#include "app/directory_import_window.h"
#include "app/main_window.h"
#include "commands/command_texts.h"
#include "exchange/exchange_texts.h"
#include "platform/command_guard.h"
#include "platform/wait_cursor.h"
#include "records/utf8.h"

namespace kalidor {

void TF_une::Importerdepuislannuaire1Click() {
    const std::optional<QString> chosen =
        platform_.openFileName(this, tr8(exchange_texts::kDirectoryFilter));
    if (!chosen) {
        return;
    }
    std::optional<DirectoryPreview> preview;
    const bool read = runGuarded(platform_, this, [&] {
        WaitCursor wait(platform_);
        preview.emplace(state_.prefix, *chosen);
    });
    if (!read) {
        return;
    }
    DirectoryImportWindow window(*preview, this);
    if (window.exec() != QDialog::Accepted) {
        return;
    }
    runGuarded(platform_, this, [&] {
        BatchResult result;
        {
            WaitCursor wait(platform_);
            const std::unique_ptr<Progress> progress =
                platform_.startProgress(this, tr8(command_texts::kDirectoryProgress));
            BatchControl control = batchControl(*progress);
            // A pupil whose class changed shows it on their line, if the list shows them.
            control.changed = [this](const ListEntry& entry) {
                const int row = rowOfNumber(entry.number);
                if (row >= 0) {
                    ListBox1->removeLine(row);
                    ListBox1->addLine(entry);
                }
            };
            result = folder_.importDirectory(*preview, control);
        }
        for (const QString& message : result.messages) {
            platform_.showMessage(this, message);
        }
    });
    refreshTotalCountLine();
}

} // namespace kalidor
