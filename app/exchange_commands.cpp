// Transfer files and the class import.

#include "app/tf_une.h"
#include "exchange/class_file.h"
#include "exchange/exchange_texts.h"
#include "exchange/tf_trans.h"
#include "platform/command_guard.h"

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
            platform_.setWaitCursor(true);
            const AddedPupils added = importClass(state_, *classFile);
            platform_.setWaitCursor(false);
            for (const QString& line : added.lines) {
                ListBox1->addLine(line);
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
