#include "app/kalidor_program.h"

#include "app/about_box.h"
#include "app/add_pupil_dialog.h"
#include "app/app_texts.h"
#include "exchange/transfer_dialog.h"
#include "records/record_file.h"
#include "reports/print_progress.h"
#include "sheet/competence_sheet.h"

#include <QIcon>

namespace kalidor {

KalidorProgram::KalidorProgram(Platform& platform, const QString& executableFolder) {
    const QString folder = dataDirectoryPrefix(executableFolder);
    const QPixmap logo(folder + QLatin1String(app_texts::kLogoFile));
    const QPixmap icon(folder + QLatin1String(app_texts::kIconFile));

    F_une = std::make_unique<TF_une>(state, platform, executableFolder, logo);
    F_une->setWindowIcon(icon);
    QWidget* owner = F_une.get();
    windows.F_ajout = new TF_ajout(state, platform, owner);
    windows.F_saisi1 = new TF_saisi1(state, platform, owner);
    windows.F_annule = new TF_annule(owner);
    windows.F_trans = new TF_trans(state, platform, owner);
    windows.AboutBox = new TAboutBox(logo, icon, owner);
    F_une->attachWindows(windows);
}

KalidorProgram::~KalidorProgram() = default;

} // namespace kalidor
