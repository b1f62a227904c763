// The competence table of a class, opened from the main window.

#include "app/tf_tableau.h"
#include "app/tf_une.h"

namespace kalidor {

void TF_une::Tableaudescomptencesparclasse1Click() {
    // Made when chosen and gone when closed: the start-up windows stay the six they are.
    TF_tableau table(
        state_, platform_, [this](const QString& numberText) { return openPupil(numberText); },
        this);
    const int row = ListBox1->currentRow();
    table.showFolder(row >= 0 ? std::optional<QString>(ListBox1->number(row)) : std::nullopt);
    table.exec();
}

} // namespace kalidor
