#include "app/class_table_window.h"

#include "app/class_table_view.h"
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
                                   OpenPupil openPupil, QWidget* parent)
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

void ClassTableWindow::buildButtons(QWidget* row) {
    ButtonImprimer = makeButton(row, "ButtonImprimer", class_table_texts::kImprimer, {});
    ButtonExporter = makeButton(row, "ButtonExporter", class_table_texts::kExporter, {});
    ButtonFermer = makeButton(row, "ButtonFermer", class_table_texts::kFermer, {});
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(ButtonImprimer);
    layout->addWidget(ButtonExporter);
    layout->addWidget(ButtonFermer);
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
    runGuarded(platform_, this, [&] {
        const QByteArray bytes = tableCsv(table, model_->pupils());
        replaceFile(*fileName, bytes.constData(), static_cast<size_t>(bytes.size()));
    });
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
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kalidor
