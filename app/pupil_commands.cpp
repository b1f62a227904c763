// Adding and deleting pupils, and the sample pupils.

#include "app/add_pupil_dialog.h"
#include "app/app_texts.h"
#include "app/main_window.h"
#include "platform/command_guard.h"
#include "platform/platform_answers.h"
#include "platform/wait_cursor.h"
#include "records/utf8.h"

namespace kalidor {

void TF_une::Ajouterunlve1Click() {
    windows_.F_ajout->exec();
    if (const std::optional<ListEntry> added = windows_.F_ajout->takeAddedLine()) {
        ListBox1->addLine(*added);
    }
    Memo1->clear();
}

void TF_une::Effacer1Click() {
    const std::optional<ListEntry> entry = selectedEntry();
    if (!entry) {
        return;
    }
    const int row = ListBox1->currentRow();
    PlatformAnswers answers(platform_, this);
    bool deleted = false;
    // The line goes only once the file is gone: a pupil that could not be deleted stays listed.
    runGuarded(platform_, this, [&] { deleted = folder_.deletePupil(*entry, answers); });
    if (!deleted) {
        return;
    }
    ListBox1->removeLine(row);
    // The list would select the next line: a second F12 must not delete another pupil.
    ListBox1->clearSelection();
    refreshTotalCountLine();
}

BatchControl TF_une::batchControl(Progress& progress) {
    // Each pupil is listed as soon as it is written, so that those written before a failure or
    // a stop are listed too.
    return {[this](const ListEntry& entry) { ListBox1->addLine(entry); },
            [&progress](int done, int total) { progress.setProgress(done, total); },
            [&progress] { return progress.cancelled(); },
            {}};
}

void TF_une::createSamples(SampleSet set) {
    WaitCursor wait(platform_);
    runGuarded(platform_, this, [&] {
        const std::unique_ptr<Progress> progress =
            platform_.startProgress(this, tr8(app_texts::kProgressSamples));
        const BatchResult result = folder_.createSamples(set, batchControl(*progress));
        for (const QString& message : result.messages) {
            platform_.showMessage(this, message);
        }
    });
}

void TF_une::crer110lves1Click() {
    createSamples(SampleSet::Blank110);
}

void TF_une::crer17lvesniveau11Click() {
    createSamples(SampleSet::Niveau1);
}

void TF_une::crer17lvesniveau21Click() {
    createSamples(SampleSet::Niveau2);
}

} // namespace kalidor
