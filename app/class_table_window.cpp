#include "app/class_table_window.h"

#include "app/class_table_class_dialog.h"
#include "app/class_table_validate_dialog.h"
#include "app/class_table_view.h"
#include "commands/class_table_commands.h"
#include "platform/command_guard.h"
#include "platform/ui_style.h"
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
#include <QMap>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

namespace kalidor {

namespace {

using namespace colours;

// The least size the window opens at; wider when the table needs it (windowWidthFor).
constexpr QSize kInitialSize(1100, 560);
// Room beside the widest text of a column.
constexpr int kCellSlack = 2;
// Longer names are cut; the column can be widened by hand.
constexpr int kLargestNameWidth = 230;

QLabel* chooserLabel(QWidget* parent, const char* name, const char* caption, QComboBox* buddy) {
    QLabel* label = makeLabel(parent, name, caption, arial(12, true), {}, kAqua);
    label->setBuddy(buddy);
    // Heard as it is seen, without the mnemonic's mark.
    buddy->setAccessibleName(label->text().remove(QLatin1Char('&')));
    return label;
}

// The bold text of the "Validée par" row.
QFontMetrics lastRowMetrics(const QWidget* table) {
    QFont font = table->font();
    font.setBold(true);
    return QFontMetrics(font);
}

// What a pupil without any competence of the level lacks: the longest "Il manque".
MissingCompetences mostMissing(int level) {
    MissingCompetences missing{totalMinimum(level), {}};
    for (int domain = 1; domain <= kDomainCount; ++domain) {
        missing.domains.append(domain);
    }
    return missing;
}

} // namespace

ClassTableWindow::ClassTableWindow(const SharedState& state, Platform& platform,
                                   OpenPupil openPupil, ShowPupils showPupils, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform), openPupil_(std::move(openPupil)),
      showPupils_(std::move(showPupils)) {
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
    buildBatchActions();
    buildButtons(buttons);
    updateBatchActions();
    layout->addWidget(choosers);
    layout->addWidget(Grid1, 1);
    layout->addWidget(buttons);
}

void ClassTableWindow::buildChoosers(QWidget* row) {
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
    connect(ComboClasse, &QComboBox::currentIndexChanged, this, &ClassTableWindow::ComboChange);
    connect(ComboNiveau, &QComboBox::currentIndexChanged, this, &ClassTableWindow::ComboChange);
}

void ClassTableWindow::buildTable() {
    Grid1 = new ClassTableView(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    model_ = new ClassTableModel(Grid1);
    Grid1->setModel(model_);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    connect(Grid1, &QAbstractItemView::doubleClicked, this, &ClassTableWindow::Grid1DblClick);
    // Return opens the pupil too, so the table can be worked from the keyboard alone.
    Grid1->installEventFilter(this);
}

void ClassTableWindow::buildBatchActions() {
    const auto action = [this](const char* name, const char* caption, const QKeySequence& keys,
                               void (ClassTableWindow::*handler)()) {
        auto* made = new QAction(tr8(caption), Grid1);
        made->setObjectName(QLatin1String(name));
        made->setShortcut(keys);
        // While the table has the focus; the buttons' Alt keys reach them from anywhere.
        made->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        Grid1->addAction(made);
        connect(made, &QAction::triggered, this, handler);
        return made;
    };
    ActionValider =
        action("ActionValider", class_table_texts::kValider,
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), &ClassTableWindow::ValiderClick);
    ActionRetirer =
        action("ActionRetirer", class_table_texts::kRetirer,
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), &ClassTableWindow::RetirerClick);
    ActionClasse =
        action("ActionClasse", class_table_texts::kChangerClasse,
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), &ClassTableWindow::ClasseClick);
    PopupTableau = new QMenu(this);
    PopupTableau->setObjectName(QStringLiteral("PopupTableau"));
    PopupTableau->addActions({ActionValider, ActionRetirer, ActionClasse});

    auto* names = static_cast<ClassTableView*>(Grid1)->names();
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(Grid1), static_cast<QAbstractItemView*>(names)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            PopupTableau->popup(view->viewport()->mapToGlobal(at));
        });
    }
    connect(Grid1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ClassTableWindow::updateBatchActions);
    // A new class or level clears the selection without a word.
    connect(model_, &QAbstractItemModel::modelReset, this, &ClassTableWindow::updateBatchActions);
}

void ClassTableWindow::buildButtons(QWidget* row) {
    ButtonValider = makeButton(row, "ButtonValider", class_table_texts::kValider, {});
    ButtonRetirer = makeButton(row, "ButtonRetirer", class_table_texts::kRetirer, {});
    ButtonClasse = makeButton(row, "ButtonClasse", class_table_texts::kChangerClasse, {});
    ButtonImprimer = makeButton(row, "ButtonImprimer", class_table_texts::kImprimer, {});
    ButtonExporter = makeButton(row, "ButtonExporter", class_table_texts::kExporter, {});
    ButtonFermer = makeButton(row, "ButtonFermer", class_table_texts::kFermer, {});
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ButtonValider);
    layout->addWidget(ButtonRetirer);
    layout->addWidget(ButtonClasse);
    layout->addStretch(1);
    layout->addWidget(ButtonImprimer);
    layout->addWidget(ButtonExporter);
    layout->addWidget(ButtonFermer);
    connect(ButtonValider, &QPushButton::clicked, this, &ClassTableWindow::ValiderClick);
    connect(ButtonRetirer, &QPushButton::clicked, this, &ClassTableWindow::RetirerClick);
    connect(ButtonClasse, &QPushButton::clicked, this, &ClassTableWindow::ClasseClick);
    connect(ButtonImprimer, &QPushButton::clicked, this, &ClassTableWindow::ButtonImprimerClick);
    connect(ButtonExporter, &QPushButton::clicked, this, &ClassTableWindow::ButtonExporterClick);
    connect(ButtonFermer, &QPushButton::clicked, this, &QDialog::accept);
}

void ClassTableWindow::showFolder(const std::optional<QString>& selectedNumber) {
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
    // Wide enough for every column of any class at either level, collège having more.
    resize(std::max(kInitialSize.width(),
                    windowWidthFor(kLevelCollege, static_cast<int>(read.pupils.size()))),
           height());
    fillClasses(tableClasses(read.pupils), classe);
    filling_ = true;
    ComboNiveau->setCurrentIndex(0);
    filling_ = false;
    model_->setPupils(std::move(read.pupils), chosenLevel(), chosenClass());
    fitColumns();
}

void ClassTableWindow::fitNames(const QList<TablePupil>& pupils) {
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
    nameWidth_ =
        std::max({nameWidth_, widthOf(tr8(class_table_texts::kColumnPupil)),
                  lastRowMetrics(Grid1).horizontalAdvance(tr8(class_table_texts::kCountsRow))});
    for (const TablePupil& pupil : pupils) {
        nameWidth_ = std::max(nameWidth_, widthOf(pupil.nom) + blank + widthOf(pupil.prenom));
    }
}

void ClassTableWindow::fillClasses(const QStringList& classes, const TableClass& classe) {
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

TableClass ClassTableWindow::chosenClass() const {
    const int index = ComboClasse->currentIndex();
    return index >= 1 ? TableClass(classes_.at(index - 1)) : std::nullopt;
}

int ClassTableWindow::chosenLevel() const {
    return ComboNiveau->currentData().toInt() == kLevelCollege ? kLevelCollege : kLevelEcole;
}

void ClassTableWindow::ComboChange() {
    if (filling_) {
        return;
    }
    model_->choose(chosenLevel(), chosenClass());
    fitColumns();
}

QList<int> ClassTableWindow::columnWidths(int level, int rows) const {
    const QFontMetrics metrics(Grid1->font());
    const QFontMetrics lastRow = lastRowMetrics(Grid1);
    const QStyle* style = Grid1->style();
    // What a cell's text leaves on each side, and the grid's line; what a header's does.
    const int cellPadding =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Grid1) + 1) + 1;
    const int headerPadding = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, Grid1);
    const int padding = std::max(cellPadding, headerPadding) + kCellSlack;
    // The widest of the pupils' and headers' texts and of the last row's.
    const auto widest = [&](const QStringList& texts, const QString& lastRowText) {
        int width = lastRow.horizontalAdvance(lastRowText);
        for (const QString& text : texts) {
            width = std::max(width, metrics.horizontalAdvance(text));
        }
        return width + padding;
    };
    const int count = slotCount(level);
    // No count of the table is more than its rows.
    const QString most = QString::number(rows);
    QList<int> widths{std::min(nameWidth_, kLargestNameWidth) + padding};
    const int competence =
        widest({QString::number(count), tr8(class_table_texts::kValidatedMark)}, most);
    for (int k = 0; k < count; ++k) {
        widths.append(competence);
    }
    widths << widest({tableTotalText(level, count), tr8(class_table_texts::kColumnTotal)}, {})
           << widest({tableLevelText(false), tableLevelText(true),
                      tr8(class_table_texts::kColumnLevel)},
                     tr8(class_table_texts::kHeldBy).arg(most, most))
           << widest({missingText(mostMissing(level)), tr8(class_table_texts::kColumnMissing)}, {});
    return widths;
}

int ClassTableWindow::windowWidthFor(int level, int rows) const {
    const QList<int> widths = columnWidths(level, rows);
    const QMargins margins = layout()->contentsMargins();
    return std::accumulate(widths.cbegin(), widths.cend(), 0) + 2 * Grid1->frameWidth() +
           Grid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Grid1) +
           margins.left() + margins.right();
}

void ClassTableWindow::fitColumns() {
    const ClassTable& table = model_->table();
    const QList<int> widths = columnWidths(table.level, static_cast<int>(table.rows.size()));
    QHeaderView* header = Grid1->horizontalHeader();
    for (qsizetype column = 0; column < widths.size(); ++column) {
        header->resizeSection(static_cast<int>(column), widths[column]);
    }
    Grid1->setAccessibleName(tableName(table.level, table.classe));
}

void ClassTableWindow::Grid1DblClick() {
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

void ClassTableWindow::showClosedPupil(const QString& numberText,
                                       const std::optional<TFiche>& record) {
    showPupilsNow({{numberText, record}});
}

void ClassTableWindow::showPupilsNow(const QList<PupilNow>& pupils) {
    const TableClass classe = chosenClass();
    // The current and selected cells, by pupil, to be found again in the rows rebuilt.
    const QModelIndex current = Grid1->currentIndex();
    const std::optional<QString> number =
        current.isValid() ? model_->numberAt(current.row()) : std::nullopt;
    QMap<QString, QList<int>> selected;
    for (const QModelIndex& cell : Grid1->selectionModel()->selectedIndexes()) {
        if (const std::optional<QString> pupil = model_->numberAt(cell.row())) {
            selected[*pupil].append(cell.column());
        }
    }
    model_->replacePupils(pupils);
    fitNames(model_->pupils());
    // A pupil may have moved to a class the chooser did not hold, or left the last one.
    fillClasses(tableClasses(model_->pupils()), classe);
    ComboChange();
    QItemSelection again;
    for (auto cells = selected.begin(); cells != selected.end(); ++cells) {
        const int row = model_->rowOf(cells.key());
        std::sort(cells->begin(), cells->end());
        for (qsizetype from = 0, to = 0; row >= 0 && from < cells->size(); from = to) {
            // Side by side cells as one range: a whole table selected stays quick to handle.
            for (to = from + 1; to < cells->size() && cells->at(to) == cells->at(to - 1) + 1;
                 ++to) {
            }
            again.select(model_->index(row, cells->at(from)),
                         model_->index(row, cells->at(to - 1)));
        }
    }
    Grid1->selectionModel()->select(again, QItemSelectionModel::ClearAndSelect);
    const int row = number ? model_->rowOf(*number) : -1;
    if (row >= 0) {
        Grid1->selectionModel()->setCurrentIndex(model_->index(row, std::max(current.column(), 0)),
                                                 QItemSelectionModel::NoUpdate);
    }
}

void ClassTableWindow::updateBatchActions() {
    const int rows = static_cast<int>(model_->table().rows.size());
    const int competences = slotCount(model_->table().level);
    bool pupil = false;
    bool competence = false;
    for (const QItemSelectionRange& range : Grid1->selectionModel()->selection()) {
        if (range.top() < rows) {
            pupil = true;
            competence = competence || (range.left() <= competences && range.right() >= 1);
        }
    }
    ActionValider->setEnabled(competence);
    ActionRetirer->setEnabled(competence);
    ActionClasse->setEnabled(pupil);
    ButtonValider->setEnabled(competence);
    ButtonRetirer->setEnabled(competence);
    ButtonClasse->setEnabled(pupil);
}

QList<BatchPupil> ClassTableWindow::selectedPupils(bool competences) const {
    return model_->batchPupils(Grid1->selectionModel()->selectedIndexes(), competences);
}

void ClassTableWindow::runBatch(const std::function<QStringList(const PupilShown&)>& batch) {
    QList<PupilNow> now;
    const auto showNow = [&] {
        showPupilsNow(now);
        if (showPupils_) {
            showPupils_(now);
        }
    };
    runGuarded(platform_, this, [&] {
        QStringList summary;
        try {
            summary = batch([&now](const PupilNow& pupil) { now.append(pupil); });
        } catch (...) {
            // Those written stay written: shown before the failure is told.
            showNow();
            throw;
        }
        showNow();
        platform_.showMessage(this, summary.join(QLatin1Char('\n')));
    });
}

void ClassTableWindow::ValiderClick() {
    const QList<BatchPupil> pupils = selectedPupils(true);
    if (pupils.isEmpty()) {
        return;
    }
    ValidationDialog dialog(validationPlan(pupils), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const ValidationDetails details = dialog.details();
    runBatch([&](const PupilShown& shown) {
        return validateCompetences(state_, pupils, details, shown);
    });
}

void ClassTableWindow::RetirerClick() {
    const QList<BatchPupil> pupils = selectedPupils(true);
    if (pupils.isEmpty()) {
        return;
    }
    const std::optional<QString> question = unvalidateQuestion(pupils);
    if (!question) {
        platform_.showMessage(this, tr8(class_table_texts::kNothingToUnvalidate));
        return;
    }
    if (!platform_.askYesNo(this, *question)) {
        return;
    }
    runBatch([&](const PupilShown& shown) { return unvalidateCompetences(state_, pupils, shown); });
}

void ClassTableWindow::ClasseClick() {
    const QList<BatchPupil> pupils = selectedPupils(false);
    if (pupils.isEmpty()) {
        return;
    }
    ClassChangeDialog dialog(classChangePlan(pupils), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QString classe = dialog.classe();
    runBatch([&](const PupilShown& shown) { return changeClass(state_, pupils, classe, shown); });
}

void ClassTableWindow::ButtonImprimerClick() {
    if (annule_ == nullptr) {
        annule_ = new TF_annule(this);
    }
    runGuarded(platform_, this, [this] {
        CanvasDocument document(platform_.printer(), platform_, *annule_);
        printClassTable(document, this, model_->table(), model_->pupils(), QDate::currentDate());
    });
}

void ClassTableWindow::ButtonExporterClick() {
    const ClassTable& table = model_->table();
    const std::optional<QString> fileName = platform_.saveFileName(
        this, tr8(class_table_texts::kCsvFilter), tableFileName(table.level, table.classe));
    if (!fileName || fileName->isEmpty()) {
        return;
    }
    runGuarded(platform_, this, [&] { writeTableCsv(*fileName, table, model_->pupils()); });
}

void ClassTableWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (failures_.isEmpty()) {
        return;
    }
    // Named once, over the table that lists the other pupils.
    const QString report = describeFailures(failures_);
    failures_.clear();
    QTimer::singleShot(0, this, [this, report] { platform_.showError(this, report); });
}

bool ClassTableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Grid1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Grid1DblClick();
            return true;
        }
        // The context menu from the keyboard, at the current cell.
        if (key == Qt::Key_F10 &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::ShiftModifier) {
            const QRect cell = Grid1->visualRect(Grid1->currentIndex());
            PopupTableau->popup(Grid1->viewport()->mapToGlobal(cell.center()));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kalidor
