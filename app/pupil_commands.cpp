// Adding and deleting pupils, and the sample pupils.

#include "app/add_pupil_dialog.h"
#include "app/app_texts.h"
#include "app/main_window.h"
#include "commands/command_texts.h"
#include "platform/command_guard.h"
#include "platform/wait_cursor.h"
#include "records/pupil_files.h"
#include "records/pupil_identity.h"
#include "records/record_file.h"
#include "records/sample_pupils.h"
#include "records/utf8.h"

namespace kalidor {

namespace {

// Writes a set of sample pupils and lists each one as soon as it is written, so that the
// pupils written before a failure are listed too.
void createSamples(SharedState& state, Platform& platform, QWidget* parent, SortedListBox* list,
                   SampleSet set) {
    WaitCursor wait(platform);
    runGuarded(platform, parent, [&] {
        createSamplePupils(state, set, [list](const ListEntry& entry) { list->addLine(entry); });
    });
}

} // namespace

void TF_une::Ajouterunlve1Click() {
    windows_.F_ajout->exec();
    if (const std::optional<ListEntry> added = windows_.F_ajout->takeAddedLine()) {
        ListBox1->addLine(*added);
    }
    Memo1->clear();
}

void TF_une::Effacer1Click() {
    const std::optional<QString> number = selectedNumber();
    if (!number) {
        return;
    }
    const int row = ListBox1->currentRow();
    const ListEntry& entry = ListBox1->entry(row);
    const QString fileName = recordFileName(state_, *number);
    QString question = tr8(app_texts::kConfirmationEffacement).arg(entry.line);
    // The question names the pupil the file holds now when that is another one than the line
    // showed: the number was freed and taken again on another machine.
    const PupilFileNow now = pupilFileNow(fileName, entry);
    if (now.state == FileNow::OtherPupil) {
        question += QLatin1String("\n\n") +
                    tr8(command_texts::kDeleteOtherPupil).arg(*number, pupilName(*now.record));
    } else if (now.state != FileNow::Unchanged) {
        question += QLatin1String("\n\n") + tr8(app_texts::kChangedSinceListed);
    }
    if (!platform_.askYesNo(this, question)) {
        return;
    }
    state_.currentFileName = fileName;
    // The line goes only once the file is gone: a pupil that could not be deleted stays listed.
    if (!runGuarded(platform_, this, [this] { deleteRecordFile(state_.currentFileName); })) {
        return;
    }
    ListBox1->removeLine(row);
    // The list would select the next line: a second F12 must not delete another pupil.
    ListBox1->clearSelection();
    refreshTotalCountLine();
}

void TF_une::crer110lves1Click() {
    createSamples(state_, platform_, this, ListBox1, SampleSet::Blank110);
}

void TF_une::crer17lvesniveau11Click() {
    createSamples(state_, platform_, this, ListBox1, SampleSet::Niveau1);
}

void TF_une::crer17lvesniveau21Click() {
    createSamples(state_, platform_, this, ListBox1, SampleSet::Niveau2);
}

} // namespace kalidor
