// The competence table of a class, opened from the main window.

#include "app/class_table_window.h"
#include "app/main_window.h"

namespace kalidor {

void TF_une::Tableaudescomptencesparclasse1Click() {
    // Made when chosen and gone when closed: the start-up windows stay the six they are.
    ClassTableWindow table(
        state_, platform_, [this](const QString& numberText) { return openPupil(numberText); },
        this);
    const int row = ListBox1->currentRow();
    table.showFolder(row >= 0 ? std::optional<QString>(ListBox1->number(row)) : std::nullopt);
    table.exec();
}

} // namespace kalidor
