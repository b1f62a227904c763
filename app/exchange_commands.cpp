// Transfer files and the class import.

#include "app/tf_une.h"
#include "exchange/class_file.h"
#include "exchange/exchange_texts.h"
#include "exchange/tf_trans.h"
#include "platform/command_guard.h"
#include "platform/wait_cursor.h"

namespace kalidor {

void TF_une::Crerunfichierdetransfert1Click() {
    windows_.F_trans->exec();
}

void TF_une::Importerclasseenmodetexte1Click() {
    const std::optional<QString> chosen =
        platform_.openFileName(this, QString::fromUtf8(texts::kClassFilter));
    if (chosen) {
        const bool completed = runGuarded(platform_, this, [&] {
            const std::optional<ClassFile> classFile = readClassFile(*chosen);
            if (!classFile) {
                platform_.showMessage(this, QString::fromUtf8(texts::kOpenFailed));
                return;
            }
            const AddedPupils added = [&] {
                WaitCursor wait(platform_);
                return importClass(state_, *classFile);
            }();
            for (const ListEntry& entry : added.entries) {
                ListBox1->addLine(entry);
            }
            if (added.error) {
                throw IoError(*added.error);
            }
        });
        if (!completed) {
            return;
        }
    }
    refreshTotalCountLine();
}

} // namespace kalidor
