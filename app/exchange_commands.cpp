// Transfer files and the class import.

#include "app/main_window.h"
#include "exchange/class_file.h"
#include "exchange/exchange_texts.h"
#include "exchange/transfer_dialog.h"
#include "platform/command_guard.h"
#include "platform/wait_cursor.h"
#include "records/utf8.h"

namespace kalidor {

void TF_une::Crerunfichierdetransfert1Click() {
    windows_.F_trans->exec();
}

void TF_une::Importerclasseenmodetexte1Click() {
    const std::optional<QString> chosen =
        platform_.openFileName(this, tr8(exchange_texts::kClassFilter));
    if (chosen) {
        const bool completed = runGuarded(platform_, this, [&] {
            BatchResult result;
            {
                WaitCursor wait(platform_);
                const std::unique_ptr<Progress> progress = platform_.startProgress(
                    this,
                    tr8(exchange_texts::kProgressClassImport).arg(classFromFileName(*chosen)));
                result = folder_.importClass(*chosen, batchControl(*progress));
            }
            for (const QString& message : result.messages) {
                platform_.showMessage(this, message);
            }
        });
        if (!completed) {
            return;
        }
    }
    refreshTotalCountLine();
}

} // namespace kalidor
