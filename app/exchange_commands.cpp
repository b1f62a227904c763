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
            ClassFileReader reader(*chosen);
            if (!reader.isOpen()) {
                platform_.showMessage(this, tr8(exchange_texts::kOpenFailed));
                return;
            }
            if (!reader.isText()) {
                platform_.showMessage(this, notTextMessage(*chosen));
                return;
            }
            int created = 0;
            {
                WaitCursor wait(platform_);
                created = importClass(state_, classFromFileName(*chosen), reader,
                                      [this](const ListEntry& entry) { ListBox1->addLine(entry); });
            }
            if (!reader.isText()) {
                platform_.showMessage(this, notTextFurtherMessage(*chosen, created));
            }
        });
        if (!completed) {
            return;
        }
    }
    refreshTotalCountLine();
}

} // namespace kalidor
