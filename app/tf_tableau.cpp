#include "app/tf_tableau.h"

#include "platform/command_guard.h"
#include "platform/ui_style.h"
#include "records/atomic_file.h"
#include "records/class_table_texts.h"
#include "records/list_lines.h"
#include "records/referential.h"
#include "reports/canvas_document.h"
#include "reports/class_table_printing.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace kalidor {

namespace {

using namespace colours;

constexpr QSize kInitialSize(1100, 560);
constexpr int kCellPadding = 12;
constexpr int kLargestNameWidth = 230;
constexpr int kMissingWidth = 170;
// The widest total a pupil can have, which sets its column's width.
constexpr const char* kWidestTotal = "29/29";

QLabel* chooserLabel(QWidget* parent, const char* name, const char* caption, QComboBox* buddy) {
    QLabel* label = makeLabel(parent, name, caption, arial(12, true), {}, kAqua);
    label->setBuddy(buddy);
    // Heard as it is seen, without the mnemonic's mark.
    buddy->setAccessibleName(label->text().remove(QLatin1Char('&')));
    return label;
}

} // namespace

TF_tableau::TF_tableau(const SharedState& state, Platform& platform, OpenPupil openPupil,
                       QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform), openPupil_(std::move(openPupil)) {
    setObjectName(QStringLiteral("F_tableau"));
    setWindowTitle(tr8(class_table_texts::kTableCaption));
    setBackground(this, kTeal);
    resize(kInitialSize);

    auto* layout = new QVBoxLayout(this);
    auto* choosers = new QWidget(this);
    auto* buttons = new QWidget(this);
    // Created in tab order: choosers, table, buttons.
    buildChoosers(choosers);
    buildTable();
    buildButtons(buttons);
    layout->addWidget(choosers);
    layout->addWidget(Grid1, 1);
    layout->addWidget(buttons);
}

void TF_tableau::buildChoosers(QWidget* row) {
    ComboClasse = new QComboBox(row);
    ComboClasse->setObjectName(QStringLiteral("ComboClasse"));
    ComboClasse->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    ComboNiveau = new QComboBox(row);
    ComboNiveau->setObjectName(QStringLiteral("ComboNiveau"));
    ComboNiveau->addItem(tr8(class_table_texts::kNiveauEcole), kLevelEcole);
    ComboNiveau->addItem(tr8(class_table_texts::kNiveauCollege), kLevelCollege);

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        chooserLabel(row, "LabelClasse", class_table_texts::kClasseLabel, ComboClasse));
    layout->addWidget(ComboClasse);
    layout->addSpacing(24);
    layout->addWidget(
        chooserLabel(row, "LabelNiveau", class_table_texts::kNiveauLabel, ComboNiveau));
    layout->addWidget(ComboNiveau);
    layout->addStretch(1);
    connect(ComboClasse, &QComboBox::currentIndexChanged, this, &TF_tableau::ComboChange);
    connect(ComboNiveau, &QComboBox::currentIndexChanged, this, &TF_tableau::ComboChange);
}

void TF_tableau::buildTable() {
    Grid1 = new QTableView(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    model_ = new ClassTableModel(Grid1);
    Grid1->setModel(model_);
    Grid1->setFont(arial(10));
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table for the buttons; the arrows move inside it.
    Grid1->setTabKeyNavigation(false);
    Grid1->setWordWrap(false);
    Grid1->verticalHeader()->hide();
    Grid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Grid1->verticalHeader()->setDefaultSectionSize(Grid1->fontMetrics().height() + 6);
    QHeaderView* header = Grid1->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    header->setDefaultSectionSize(Grid1->fontMetrics().horizontalAdvance(QStringLiteral("29")) +
                                  kCellPadding);
    header->setStretchLastSection(true);
    header->setHighlightSections(false);
    connect(Grid1, &QAbstractItemView::doubleClicked, this, &TF_tableau::Grid1DblClick);
    // Return opens the pupil too, so the table can be worked from the keyboard alone.
    Grid1->installEventFilter(this);
}

void TF_tableau::buildButtons(QWidget* row) {
    ButtonImprimer = makeButton(row, "ButtonImprimer", class_table_texts::kImprimer, {});
    ButtonExporter = makeButton(row, "ButtonExporter", class_table_texts::kExporter, {});
    ButtonFermer = makeButton(row, "ButtonFermer", class_table_texts::kFermer, {});
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(ButtonImprimer);
    layout->addWidget(ButtonExporter);
    layout->addWidget(ButtonFermer);
    connect(ButtonImprimer, &QPushButton::clicked, this, &TF_tableau::ButtonImprimerClick);
    connect(ButtonExporter, &QPushButton::clicked, this, &TF_tableau::ButtonExporterClick);
    connect(ButtonFermer, &QPushButton::clicked, this, &QDialog::accept);
}

void TF_tableau::showFolder(const std::optional<QString>& selectedNumber) {
    TablePupils read = readTablePupils(state_.prefix);
    failures_ = read.failures;
    TableClass classe;
    if (selectedNumber) {
        const auto pupil = std::find_if(
            read.pupils.cbegin(), read.pupils.cend(),
            [&](const TablePupil& candidate) { return candidate.number == *selectedNumber; });
        if (pupil != read.pupils.cend()) {
            classe = pupil->classe;
        }
    }
    nameWidth_ = 0;
    fitNames(read.pupils);
    fillClasses(tableClasses(read.pupils), classe);
    filling_ = true;
    ComboNiveau->setCurrentIndex(0);
    filling_ = false;
    model_->setPupils(std::move(read.pupils), chosenLevel(), chosenClass());
    fitColumns();
}

void TF_tableau::fitNames(const QList<TablePupil>& pupils) {
    // Shaping every name as a whole costs a third of reading the folder: a name's width is the
    // sum of its letters' widths, each measured once.
    const QFontMetrics metrics(Grid1->font());
    QHash<QChar, int> letters;
    const auto widthOf = [&](const QString& text) {
        int width = 0;
        for (const QChar letter : text) {
            auto known = letters.constFind(letter);
            if (known == letters.cend()) {
                known = letters.insert(letter, metrics.horizontalAdvance(letter));
            }
            width += *known;
        }
        return width;
    };
    const int blank = widthOf(QStringLiteral(" "));
    nameWidth_ = std::max(nameWidth_, widthOf(tr8(class_table_texts::kCountsRow)));
    for (const TablePupil& pupil : pupils) {
        nameWidth_ = std::max(nameWidth_, widthOf(pupil.nom) + blank + widthOf(pupil.prenom));
    }
}

void TF_tableau::fillClasses(const QStringList& classes, const TableClass& classe) {
    filling_ = true;
    classes_ = classes;
    ComboClasse->clear();
    ComboClasse->addItem(tableClassLabel(std::nullopt));
    for (const QString& name : classes_) {
        ComboClasse->addItem(tableClassLabel(name));
    }
    const qsizetype at = classe ? classes_.indexOf(*classe) : -1;
    ComboClasse->setCurrentIndex(static_cast<int>(at + 1));
    filling_ = false;
}

TableClass TF_tableau::chosenClass() const {
    const int index = ComboClasse->currentIndex();
    return index >= 1 ? TableClass(classes_.at(index - 1)) : std::nullopt;
}

int TF_tableau::chosenLevel() const {
    return ComboNiveau->currentData().toInt() == kLevelCollege ? kLevelCollege : kLevelEcole;
}

void TF_tableau::ComboChange() {
    if (filling_) {
        return;
    }
    model_->choose(chosenLevel(), chosenClass());
    fitColumns();
}

void TF_tableau::fitColumns() {
    const ClassTable& table = model_->table();
    QHeaderView* header = Grid1->horizontalHeader();
    const QFontMetrics metrics(Grid1->font());
    const int last = 1 + slotCount(table.level);
    // The names' column can be widened by hand, for a name cut short.
    header->setSectionResizeMode(0, QHeaderView::Interactive);
    header->resizeSection(0, std::min(nameWidth_, kLargestNameWidth) + kCellPadding);
    header->resizeSection(last,
                          metrics.horizontalAdvance(QLatin1String(kWidestTotal)) + kCellPadding);
    header->resizeSection(
        last + 1, std::max(metrics.horizontalAdvance(tableLevelText(false)),
                           metrics.horizontalAdvance(tr8(class_table_texts::kColumnLevel))) +
                      kCellPadding);
    header->resizeSection(last + 2, kMissingWidth);
    Grid1->setAccessibleName(tableName(table.level, table.classe));
}

void TF_tableau::Grid1DblClick() {
    const QModelIndex current = Grid1->currentIndex();
    const std::optional<QString> number =
        current.isValid() ? model_->numberAt(current.row()) : std::nullopt;
    if (!number || !isRecordNumber(*number)) {
        return;
    }
    const ClosedSheet closed = openPupil_(*number);
    if (closed.opened) {
        showClosedPupil(*number, closed.record);
    }
}

void TF_tableau::showClosedPupil(const QString& numberText, const std::optional<TFiche>& record) {
    const TableClass classe = chosenClass();
    const int column = Grid1->currentIndex().column();
    model_->replacePupil(numberText, record);
    fitNames(model_->pupils());
    // The pupil may have moved to a class the chooser did not hold, or left the last one.
    fillClasses(tableClasses(model_->pupils()), classe);
    ComboChange();
    const int row = model_->rowOf(numberText);
    if (row >= 0) {
        Grid1->setCurrentIndex(model_->index(row, std::max(column, 0)));
    }
}

void TF_tableau::ButtonImprimerClick() {
    if (annule_ == nullptr) {
        annule_ = new TF_annule(this);
    }
    runGuarded(platform_, this, [this] {
        CanvasDocument document(platform_.printer(), platform_, *annule_);
        printClassTable(document, this, model_->table(), model_->pupils(), QDate::currentDate());
    });
}

void TF_tableau::ButtonExporterClick() {
    const ClassTable& table = model_->table();
    const std::optional<QString> fileName = platform_.saveFileName(
        this, tr8(class_table_texts::kCsvFilter), tableFileName(table.level, table.classe));
    if (!fileName || fileName->isEmpty()) {
        return;
    }
    runGuarded(platform_, this, [&] {
        const QByteArray bytes = tableCsv(table, model_->pupils());
        replaceFile(*fileName, bytes.constData(), static_cast<size_t>(bytes.size()));
    });
}

void TF_tableau::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (failures_.isEmpty()) {
        return;
    }
    // Named once, over the table that lists the other pupils.
    const QString report = describeFailures(failures_);
    failures_.clear();
    QTimer::singleShot(0, this, [this, report] { platform_.showError(this, report); });
}

bool TF_tableau::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Grid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Grid1DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kalidor
