#include "sheet/competence_sheet.h"

#include "commands/pupil_save.h"
#include "platform/command_guard.h"
#include "platform/platform_answers.h"
#include "platform/ui_style.h"
#include "records/io_error.h"
#include "records/level_rules.h"
#include "records/pupil_files.h"
#include "records/record_file.h"
#include "records/referential.h"
#include "records/text_file.h"
#include "sheet/sheet_texts.h"

#include <QShowEvent>

namespace kalidor {

namespace {

using namespace colours;

constexpr QSize kSize(1000, 592);
constexpr int kIdentityHeight = 65;
constexpr int kDetailsHeight = 177;
constexpr int kFirstPage = 6; // "2/1"

// A field stored in the record, in its place.
QLineEdit* makeEdit(QWidget* parent, const char* name, int maxLength, const QRect& geometry,
                    LetterCase letterCase = LetterCase::AsTyped) {
    QLineEdit* edit = makeRecordEdit(parent, name, maxLength, letterCase);
    edit->setGeometry(geometry);
    return edit;
}

MaskedDateEdit* makeDateEdit(QWidget* parent, const char* name, const QRect& geometry) {
    auto* edit = new MaskedDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    return edit;
}

} // namespace

TF_saisi1::TF_saisi1(SharedState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform) {
    setUpFixedForm(this, "F_saisi1", sheet_texts::kSheetCaption, kSize, kTeal);
    // Created in tab order: identity, pages, details.
    buildIdentityPanel();
    buildPages();
    buildDetailsPanel();
}

void TF_saisi1::buildIdentityPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    setBackground(panel, Qt::black);
    panel->setGeometry(0, 0, kSize.width(), kIdentityHeight);
    const QFont font = arial(16, true);

    EditNom =
        makeEdit(panel, "EditNom", fields::kNom.capacity, {8, 32, 230, 28}, LetterCase::Upper);
    Editprenom = makeEdit(panel, "Editprenom", fields::kPrenom.capacity, {250, 32, 230, 28});
    Editclas = makeEdit(panel, "Editclas", fields::kClasse.capacity, {492, 32, 120, 28});
    Maskdatenais = makeDateEdit(panel, "Maskdatenais", {624, 32, 130, 28});

    makeLabel(panel, "LabelNom", sheet_texts::kSheetNom, font, {8, 4, 230, 26}, kAqua)
        ->setBuddy(EditNom);
    makeLabel(panel, "LabelPrenom", sheet_texts::kSheetPrenom, font, {250, 4, 230, 26}, kAqua)
        ->setBuddy(Editprenom);
    makeLabel(panel, "LabelClasse", sheet_texts::kSheetClasse, font, {492, 4, 120, 26}, kAqua)
        ->setBuddy(Editclas);
    makeLabel(panel, "LabelDateNais", sheet_texts::kSheetDateNaissance, font, {624, 4, 260, 26},
              kAqua)
        ->setBuddy(Maskdatenais);
}

void TF_saisi1::buildPages() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, kIdentityHeight, kSize.width(),
                              kSize.height() - kIdentityHeight - kDetailsHeight);

    using Handler = void (TF_saisi1::*)();
    static constexpr Handler kHandlers[10] = {
        &TF_saisi1::RadioGroup1Click,  &TF_saisi1::RadioGroup2Click, &TF_saisi1::RadioGroup3Click,
        &TF_saisi1::RadioGroup4Click,  &TF_saisi1::RadioGroup5Click, &TF_saisi1::RadioGroup6Click,
        &TF_saisi1::RadioGroup7Click,  &TF_saisi1::RadioGroup8Click, &TF_saisi1::RadioGroup9Click,
        &TF_saisi1::RadioGroup10Click,
    };
    int pageNumber = 0;
    auto addPage = [this, &pageNumber](const QString& title) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(++pageNumber));
        setBackground(page, kTeal);
        PageControl1->addTab(page, title);
        return page;
    };
    for (const int level : {kLevelEcole, kLevelCollege}) {
        for (int domain = 1; domain <= kDomainCount; ++domain) {
            const int groupNumber = (level - 1) * kDomainCount + domain;
            QWidget* page = addPage(QStringLiteral("%1/%2").arg(level).arg(domain));
            SheetRadioGroup& group = radioGroups_[groupNumber - 1];
            group = buildDomainPage(page, level, domain, groupNumber, checkBoxes_);
            // Checking an item by any means (click, arrow keys, a screen reader's toggle)
            // raises its handler once; unchecking, as clearSelection does, raises none.
            connect(group.items, &QButtonGroup::idToggled, this,
                    [this, handler = kHandlers[groupNumber - 1]](int, bool checked) {
                        if (checked) {
                            (this->*handler)();
                        }
                    });
        }
        const SheetResultsPage results =
            buildResultsPage(addPage(tr8(level == kLevelEcole ? sheet_texts::kResultsPageEcole
                                                              : sheet_texts::kResultsPageCollege)),
                             level);
        (level == kLevelEcole ? Label18 : Label36) = results.result;
        (level == kLevelEcole ? Memo2 : Memo3) = results.rule;
    }
    // The first opening shows "2/1"; later ones the page active when the sheet last closed.
    PageControl1->setCurrentIndex(kFirstPage);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TF_saisi1::PageControl1Change);
}

void TF_saisi1::buildDetailsPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    setBackground(panel, kTeal);
    panel->setGeometry(0, kSize.height() - kDetailsHeight, kSize.width(), kDetailsHeight);
    const QFont font = arial(12, true);

    Editprof = makeEdit(panel, "Editprof", fields::kProfesseurCapacity, {8, 30, 260, 26},
                        LetterCase::Upper);
    Maskdate = makeDateEdit(panel, "Maskdate", {8, 86, 120, 26});
    Editdisci = makeEdit(panel, "Editdisci", fields::kDisciplineCapacity, {144, 86, 260, 26});

    makeLabel(panel, "LabelProf", sheet_texts::kSheetProfesseur, font, {8, 4, 350, 24}, kAqua)
        ->setBuddy(Editprof);
    Lab11 = makeLabel(panel, "Lab11", "", arial(19), {364, 0, 50, 30}, kRed);
    // A screen reader hears the number shown, with what it is.
    Lab11->setAccessibleDescription(tr8(sheet_texts::kSheetItemNumber));
    makeLabel(panel, "LabelDate", sheet_texts::kSheetDate, font, {8, 60, 120, 24}, kAqua)
        ->setBuddy(Maskdate);
    makeLabel(panel, "LabelDisci", sheet_texts::kSheetDiscipline, font, {144, 60, 260, 24}, kAqua)
        ->setBuddy(Editdisci);

    Memo1 = new Memo(panel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(tr8(sheet_texts::kSheetDescription));
    // Wide enough for the description files' lines.
    Memo1->setGeometry(420, 8, 572, 160);
    Memo1->setFont(arial(9));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFocusPolicy(Qt::ClickFocus);
    setPaneColours(Memo1, kAqua, Qt::black);

    SpeedButton1 =
        makeButton(panel, "SpeedButton1", sheet_texts::kSheetEnregistrer, {8, 128, 160, 38});
    SpeedButton1->setFont(arial(15, true));
    setTextColour(SpeedButton1, kBlue);
    BitBtn1 = makeButton(panel, "BitBtn1", sheet_texts::kSheetAnnuler, {184, 128, 120, 38});
    connect(SpeedButton1, &QPushButton::clicked, this, &TF_saisi1::SpeedButton1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

void TF_saisi1::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        FormShow();
    }
    QDialog::showEvent(event);
}

void TF_saisi1::setPupil(const QString& numberText, const std::optional<TFiche>& record) {
    numberText_ = numberText;
    state_.currentFileName = recordFileName(state_, numberText);
    opened_ = record;
}

void TF_saisi1::FormShow() {
    currentSlot_ = 0;
    itemSelected_ = ItemSelected::None;
    clearSelection();
    if (opened_) {
        state_.current = *opened_;
        showIdentity();
    } else {
        // Nothing of a pupil shown before may stay on screen or reach a file.
        state_.current = blankRecord();
        clearIdentity();
    }
    showVerdict(kLevelCollege);
    showVerdict(kLevelEcole);
}

void TF_saisi1::showIdentity() {
    const TFiche& record = state_.current;
    EditNom->setText(record.nom());
    Editprenom->setText(record.prenom());
    Editclas->setText(record.classe());
    Maskdatenais->setDateText(record.dateNais());
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        checkBoxes_[slot - 1]->setChecked(record.valide(slot));
    }
}

void TF_saisi1::clearIdentity() {
    EditNom->clear();
    Editprenom->clear();
    Editclas->clear();
    Maskdatenais->clear();
    for (QCheckBox* box : checkBoxes_) {
        box->setChecked(false);
    }
}

void TF_saisi1::clearSelection() {
    Lab11->clear();
    for (const SheetRadioGroup& group : radioGroups_) {
        // An exclusive group always keeps one button checked; no click is raised here.
        group.items->setExclusive(false);
        if (QAbstractButton* checked = group.items->checkedButton()) {
            checked->setChecked(false);
        }
        group.items->setExclusive(true);
    }
    Memo1->clear();
    Maskdate->clear();
    Editdisci->clear();
    Editprof->clear();
}

void TF_saisi1::storeDetails() {
    TFiche& record = state_.current;
    record.setDate(currentSlot_, Maskdate->dateText().left(fields::kDateCapacity));
    record.setDiscipline(currentSlot_, Editdisci->text().left(fields::kDisciplineCapacity));
    record.setProfesseur(currentSlot_, Editprof->text().left(fields::kProfesseurCapacity));
}

void TF_saisi1::radioGroupClick(int groupNumber) {
    const SheetRadioGroup& group = radioGroups_[groupNumber - 1];
    const int item = group.items->checkedId();
    if (item < 1) {
        return;
    }
    if (itemSelected()) {
        storeDetails();
    }
    itemSelected_ = group.level == kLevelEcole ? ItemSelected::Level1 : ItemSelected::Level2;
    Lab11->setText(QString::number(item));
    currentSlot_ = slotOf(group.level, group.domain, item);
    showDescription(currentSlot_);
    Maskdate->setDateText(state_.current.date(currentSlot_));
    Editdisci->setText(state_.current.discipline(currentSlot_));
    Editprof->setText(state_.current.professeur(currentSlot_));
}

void TF_saisi1::showDescription(int slot) {
    Memo1->clear();
    const QString fileName = state_.prefix + descriptionFileName(slot);
    try {
        Memo1->setLines(readTextFileLines(fileName));
    } catch (const IoError&) {
        // Whatever the reason, the box names the file; the item stays selected.
        platform_.showError(this, tr8(sheet_texts::kCannotOpenFile).arg(fileName));
    }
}

void TF_saisi1::PageControl1Change() {
    if (itemSelected()) {
        storeDetails();
    }
    itemSelected_ = ItemSelected::None;
    clearSelection();
    showVerdict(kLevelEcole);
    showVerdict(kLevelCollege);
}

void TF_saisi1::showVerdict(int level) {
    SlotFlags flags{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        flags[slot] = checkBoxes_[slot - 1]->isChecked();
    }
    const bool held = levelHeld(level, flags);
    (level == kLevelEcole ? Label18 : Label36)
        ->setText(verdictText(level, validatedCount(level, flags), held));
}

void TF_saisi1::SpeedButton1Click() {
    TFiche& record = state_.current;
    record.setNom(EditNom->text().left(fields::kNom.capacity));
    record.setPrenom(Editprenom->text().left(fields::kPrenom.capacity));
    record.setDateNais(Maskdatenais->dateText().left(fields::kDateNais.capacity));
    record.setClasse(Editclas->text().left(fields::kClasse.capacity));
    if (itemSelected()) {
        storeDetails();
    }
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        record.setValide(slot, checkBoxes_[slot - 1]->isChecked());
    }
    // A failed write keeps the sheet open, so that nothing typed is lost; so does a question
    // about another machine's work answered Non.
    std::optional<QString> saved;
    runGuarded(platform_, this, [&] {
        PlatformAnswers answers(platform_, this);
        saved = saveOpenedPupil(state_, numberText_, opened_, record, answers);
    });
    if (saved) {
        numberText_ = *saved;
        state_.currentFileName = recordFileName(state_, numberText_);
        accept();
    }
}

} // namespace kalidor
