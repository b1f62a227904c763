// The competence table of a class, opened from the main window.

#include "app/class_table_window.h"
#include "app/main_window.h"

namespace kalidor {

void TF_une::Tableaudescomptencesparclasse1Click() {
    // Made when chosen and gone when closed: the start-up windows stay the six they are.
    ClassTableWindow table(
        state_, platform_, [this](const QString& numberText) { return openPupil(numberText); },
        [this](const QList<PupilNow>& pupils) {
            // The lines of the pupils the table changed show what their files hold now; the
            // selected line stays selected.
            const int selectedRow = ListBox1->currentRow();
            const QString selected = selectedRow >= 0 ? ListBox1->number(selectedRow) : QString();
            bool removed = false;
            for (const PupilNow& pupil : pupils) {
                const int row = rowOfNumber(pupil.number);
                if (row < 0) {
                    continue;
                }
                ListBox1->removeLine(row);
                if (pupil.record) {
                    ListBox1->addLine(recordEntry(*pupil.record, pupil.number, state_.sortByName));
                } else {
                    removed = true;
                }
            }
            const int row = selectedRow >= 0 ? rowOfNumber(selected) : -1;
            if (row >= 0) {
                ListBox1->setCurrentRow(row);
            } else {
                ListBox1->clearSelection();
            }
            if (removed) {
                refreshTotalCountLine();
            }
        },
        this);
    const int row = ListBox1->currentRow();
    table.showFolder(row >= 0 ? std::optional<QString>(ListBox1->number(row)) : std::nullopt);
    table.exec();
}

} // namespace kalidor
