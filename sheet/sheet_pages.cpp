#include "sheet/sheet_pages.h"

#include "platform/ui_style.h"
#include "records/level_rules.h"
#include "records/referential.h"
#include "sheet/sheet_item_button.h"
#include "sheet/sheet_texts.h"

namespace kalidor {

namespace {

using namespace colours;

// Every page's header: the level label, then the domain title beside it.
constexpr QRect kLevelLabelPlace(8, 8, 150, 28);
constexpr QRect kDomainTitlePlace(166, 8, 800, 28);
// The radio group's top left corner and width; its height follows its items.
constexpr QRect kGroupPlace(36, 42, 950, 0);
constexpr int kRowHeight = 37; // seven items, each two lines high, fit on a page
// The check boxes, left of the group, each at its item's height.
constexpr int kCheckBoxLeft = 12;
constexpr int kCheckBoxSize = 20;

QLabel* levelLabel(QWidget* page, int level) {
    auto* label = new QLabel(
        tr8(level == kLevelEcole ? sheet_texts::kLevelLabelEcole : sheet_texts::kLevelLabelCollege),
        page);
    label->setObjectName(QStringLiteral("LevelLabel"));
    label->setFont(arial(16, true));
    setBackground(label, Qt::black);
    setTextColour(label, Qt::white);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(kLevelLabelPlace);
    return label;
}

} // namespace

SheetRadioGroup buildDomainPage(QWidget* page, int level, int domain, int groupNumber,
                                QList<QCheckBox*>& checkBoxes) {
    levelLabel(page, level);
    auto* title = new QLabel(domainSheetTitle(domain), page);
    title->setObjectName(QStringLiteral("DomainTitle"));
    title->setFont(arial(16, true));
    setTextColour(title, kLime);
    title->setGeometry(kDomainTitlePlace);

    SheetRadioGroup group;
    group.level = level;
    group.domain = domain;
    const int size = domainSize(level, domain);
    group.box = new QGroupBox(page);
    group.box->setObjectName(QStringLiteral("RadioGroup%1").arg(groupNumber));
    group.box->setAccessibleName(domainSheetTitle(domain));
    group.box->setFont(arial(13, true));
    setTextColour(group.box, kAqua);
    group.box->setGeometry(kGroupPlace.adjusted(0, 0, 0, size * kRowHeight + 8));
    group.items = new QButtonGroup(group.box);
    group.items->setObjectName(group.box->objectName() + QLatin1String("Items"));

    for (int item = 1; item <= size; ++item) {
        const int slot = slotOf(level, domain, item);
        const int rowTop = 4 + (item - 1) * kRowHeight;

        // Beside its item, at the item's height.
        auto* box = new QCheckBox(page);
        box->setObjectName(checkBoxName(slot));
        box->setAccessibleName(levelName(level) + QLatin1Char(' ') + itemCode(slot));
        box->setGeometry(kCheckBoxLeft,
                         kGroupPlace.top() + rowTop + (kRowHeight - kCheckBoxSize) / 2,
                         kCheckBoxSize, kCheckBoxSize);
        checkBoxes.append(box);

        auto* button = new SheetItemButton(sheetText(slot), group.box);
        button->setObjectName(group.box->objectName() + QLatin1String("Item") +
                              QString::number(item));
        button->setGeometry(8, rowTop, kGroupPlace.width() - 16, kRowHeight);
        group.items->addButton(button, item);
    }
    return group;
}

SheetResultsPage buildResultsPage(QWidget* page, int level) {
    levelLabel(page, level);
    SheetResultsPage results;
    results.result = new QLabel(tr8(sheet_texts::kResultCaption), page);
    results.result->setObjectName(level == kLevelEcole ? QStringLiteral("Label18")
                                                       : QStringLiteral("Label36"));
    results.result->setFont(arial(16, true));
    setTextColour(results.result, kYellow);
    results.result->setGeometry(kLevelLabelPlace.left(), 56, 960, kLevelLabelPlace.height());

    results.rule = new Memo(page);
    results.rule->setObjectName(level == kLevelEcole ? QStringLiteral("Memo2")
                                                     : QStringLiteral("Memo3"));
    results.rule->setAccessibleName(tr8(level == kLevelEcole ? sheet_texts::kResultsPageEcole
                                                             : sheet_texts::kResultsPageCollege));
    results.rule->setFont(arial(12));
    results.rule->setGeometry(kLevelLabelPlace.left(), 100, 600, 130);
    results.rule->setLines(ruleText(level));
    return results;
}

} // namespace kalidor
