// The six views of the list, opening a pupil, the official texts, the about box.

#include "app/about_box.h"
#include "app/app_texts.h"
#include "app/main_window.h"
#include "platform/command_guard.h"
#include "platform/platform_answers.h"
#include "platform/ui_style.h"
#include "records/list_views.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "records/text_file.h"
#include "sheet/competence_sheet.h"

#include <QTimer>

namespace kalidor {

namespace {

// A listing that reports to the progress window and stops when asked.
ReadingProgress readingProgress(Progress& progress) {
    return [&progress](int done, int total) {
        progress.setProgress(done, total);
        return !progress.cancelled();
    };
}

} // namespace

void TF_une::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        // The list is filled before the window is first painted; a report of unreadable
        // files waits until the window is on screen.
        deferErrors_ = true;
        const std::unique_ptr<Progress> progress =
            platform_.startProgress(this, tr8(app_texts::kProgressReading));
        showView(ListView::AllByName, folder_.open(readingProgress(*progress)));
        deferErrors_ = false;
    }
}

void TF_une::showView(ListView view) {
    const std::unique_ptr<Progress> progress =
        platform_.startProgress(this, tr8(app_texts::kProgressReading));
    showView(view, folder_.view(view, readingProgress(*progress)));
}

void TF_une::showView(ListView view, const ViewResult& result) {
    ListBox1->setEntries(result.entries);
    ListBox1->setAccessibleName(tr8(viewDescription(view).name));
    Memo1->clear();
    Memo1->addLine(state_.countLine);
    if (result.failures.isEmpty()) {
        return;
    }
    const QString report = describeFailures(result.failures);
    if (deferErrors_) {
        QTimer::singleShot(0, this, [this, report] { platform_.showError(this, report); });
    } else {
        platform_.showError(this, report);
    }
}

void TF_une::Tousleslves1Click() {
    showView(ListView::AllByName);
}
void TF_une::Triparnoms1Click() {
    showView(ListView::AllByName);
}
void TF_une::Triparclasses1Click() {
    showView(ListView::AllByClass);
}
void TF_une::Leslvesayantleniveaucole1Click() {
    showView(ListView::WithEcole);
}
void TF_une::Leslvesayantleniveaucollge1Click() {
    showView(ListView::WithCollege);
}
void TF_une::Leslvesnayantpasleniveaucole1Click() {
    showView(ListView::WithoutEcole);
}
void TF_une::Leslvesnayantpasleniveaucollge1Click() {
    showView(ListView::WithoutCollege);
}

std::optional<QString> TF_une::selectedNumber() const {
    const int row = ListBox1->currentRow();
    if (row < 0 || !isRecordNumber(ListBox1->number(row))) {
        return std::nullopt;
    }
    return ListBox1->number(row);
}

std::optional<ListEntry> TF_une::selectedEntry() const {
    const std::optional<QString> number = selectedNumber();
    if (!number) {
        return std::nullopt;
    }
    return ListBox1->entry(ListBox1->currentRow());
}

LinePupil TF_une::loadSelectedPupil() {
    const std::optional<ListEntry> entry = selectedEntry();
    if (!entry) {
        return LinePupil::Other;
    }
    PlatformAnswers answers(platform_, this);
    return folder_.loadLinePupil(*entry, answers);
}

int TF_une::rowOfNumber(const QString& numberText) const {
    for (int row = 0; row < ListBox1->count(); ++row) {
        if (ListBox1->number(row) == numberText) {
            return row;
        }
    }
    return -1;
}

void TF_une::refreshTotalCountLine() {
    state_.countLine = totalCountLine(ListBox1->count());
    Memo1->clear();
    Memo1->addLine(state_.countLine);
}

void TF_une::ListBox1DblClick() {
    // A line whose file has gone or cannot be read still opens: the sheet says which.
    if (selectedEntry() && loadSelectedPupil() != LinePupil::Other) {
        openPupil(selectedEntry()->number);
    }
}

ClosedSheet TF_une::openPupil(const QString& numberText) {
    if (!isRecordNumber(numberText)) {
        return {};
    }
    const QString fileName = recordFileName(state_, numberText);
    // A file that is there but cannot be read whole is reported and left alone: shown as an
    // empty sheet, it would be wiped by the next "Enregistrer". A file deleted meanwhile opens
    // as an empty sheet.
    TFiche onDisk = blankRecord();
    bool present = false;
    if (!runGuarded(platform_, this, [&] { present = readRecordIfPresent(fileName, onDisk); })) {
        return {};
    }
    // The pupil's line, when the list shows it, is taken out while the sheet is open.
    const int row = rowOfNumber(numberText);
    ListBox1->removeLine(row);
    windows_.F_saisi1->setPupil(numberText, present ? std::optional<TFiche>(onDisk) : std::nullopt);
    const bool saved = windows_.F_saisi1->exec() == QDialog::Accepted;
    // Saved, the line shows what the sheet wrote, under the number it was saved under: a pupil
    // deleted meanwhile, or whose number another pupil took, may have got a new one.
    const QString savedNumber = saved ? windows_.F_saisi1->savedNumber() : numberText;
    TFiche shown = state_.current;
    if (!saved) {
        // Nothing was saved here: the line shows what the file holds now, which another machine
        // may have saved or deleted while the sheet was open, not what was typed. A file that
        // cannot be read now is reported and keeps the line the sheet opened with.
        shown = onDisk;
        runGuarded(platform_, this, [&] { present = readRecordIfPresent(fileName, shown); });
        if (!present) {
            if (row >= 0) {
                // The list would select the next line, which is another pupil.
                ListBox1->clearSelection();
                refreshTotalCountLine();
            }
            return {true, std::nullopt, numberText};
        }
    }
    if (row >= 0) {
        ListBox1->setCurrentRow(
            ListBox1->addLine(recordEntry(shown, savedNumber, state_.sortByName)));
    }
    return {true, shown, savedNumber};
}

void TF_une::Textesofficiels1Click() {
    Memo1->clear();
    runGuarded(platform_, this, [this] {
        Memo1->setLines(
            readTextFileLines(state_.prefix + QLatin1String(app_texts::kOfficialTextsFile)));
    });
}

void TF_une::Apropos1Click() {
    windows_.AboutBox->exec();
}

void TF_une::Quitter1Click() {
    close();
}

} // namespace kalidor
