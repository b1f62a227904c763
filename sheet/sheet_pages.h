#pragma once
// The pages of the competence sheet, built from the referential: one page per level and
// domain, and a results page per level.

#include "platform/memo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QWidget>

namespace kalidor {

// A domain page's radio group: its items carry the ids 1..n, n the domain's size.
struct SheetRadioGroup {
    QGroupBox* box = nullptr; // objectName "RadioGroup1" ... "RadioGroup10"
    QButtonGroup* items = nullptr;
    int level = 0;
    int domain = 0;
};

// Fills `page` with the level label, the domain title, the radio group of the competence texts
// and, beside each item, its check box; the check boxes are returned in slot order.
SheetRadioGroup buildDomainPage(QWidget* page, int level, int domain, int groupNumber,
                                QList<QCheckBox*>& checkBoxes);

struct SheetResultsPage {
    QLabel* result = nullptr; // "Label18" or "Label36"
    Memo* rule = nullptr;     // "Memo2" or "Memo3"
};

// Fills `page` with the level label, the result label and the rule text of the level.
SheetResultsPage buildResultsPage(QWidget* page, int level);

} // namespace kalidor
