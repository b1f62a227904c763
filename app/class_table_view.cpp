#include "app/class_table_view.h"

#include "app/band_header.h"
#include "platform/ui_style.h"
#include "records/class_table_texts.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSet>
#include <algorithm>

namespace kalidor {

namespace {

// Selects the cells of the pupils' rows only: the last row holds the counts, no pupil. Whole
// rows and columns are laid out here so that a column stops above the counts.
class PupilCellsSelection : public QItemSelectionModel {
public:
    using QItemSelectionModel::QItemSelectionModel;
    using QItemSelectionModel::select;

    void select(const QItemSelection& selection, SelectionFlags command) override {
        const QAbstractItemModel* cells = model();
        const int pupils = cells->rowCount() - 1;
        QItemSelection kept;
        for (const QItemSelectionRange& range : selection) {
            const bool rows = command.testFlag(Rows);
            const bool columns = command.testFlag(Columns);
            const int top = columns ? 0 : range.top();
            const int bottom = std::min(columns ? pupils - 1 : range.bottom(), pupils - 1);
            const int left = rows ? 0 : range.left();
            const int right = rows ? cells->columnCount() - 1 : range.right();
            if (top <= bottom) {
                kept.select(cells->index(top, left), cells->index(bottom, right));
            }
        }
        QItemSelectionModel::select(kept, command & ~SelectionFlags(Rows | Columns));
    }
};

} // namespace

ClassTableView::ClassTableView(QWidget* parent) : QTableView(parent), names_(new QTableView(this)) {
    setHorizontalHeader(new BandHeader(this));
    names_->setHorizontalHeader(new BandHeader(names_));
    setUpView(this);
    setUpView(names_);
    // A column can hide half under the names.
    setHorizontalScrollMode(ScrollPerPixel);

    // The names' view is part of the table: the table keeps the focus and the scroll bars.
    names_->setObjectName(QStringLiteral("Grid1Noms"));
    names_->setAccessibleName(tr8(class_table_texts::kColumnPupil));
    names_->setFocusPolicy(Qt::NoFocus);
    names_->setFrameShape(QFrame::NoFrame);
    names_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    names_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->stackUnder(names_);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column == 0) {
                    names_->setColumnWidth(0, size);
                    placeNames();
                }
            });
    connect(names_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int size) {
                if (column == 0) {
                    setColumnWidth(0, size);
                }
            });
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, names_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(names_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    // A double-click on a name is one on the table.
    connect(names_, &QAbstractItemView::doubleClicked, this, &QAbstractItemView::doubleClicked);
}

void ClassTableView::setUpView(QTableView* view) {
    view->setFont(arial(10));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Tab leaves the table for the buttons; the arrows move inside it.
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    QHeaderView* header = view->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    header->setHighlightSections(false);
    // A competence's header selects its column.
    header->setSectionsClickable(true);
}

void ClassTableView::setModel(QAbstractItemModel* model) {
    QTableView::setModel(model);
    QItemSelectionModel* made = selectionModel();
    setSelectionModel(new PupilCellsSelection(model, this));
    delete made;
    names_->setModel(model);
    names_->setSelectionModel(selectionModel());
    connect(model, &QAbstractItemModel::modelReset, this, &ClassTableView::showNamesOnly);
    showNamesOnly();
}

void ClassTableView::showNamesOnly() {
    for (int column = 1; column < model()->columnCount(); ++column) {
        names_->setColumnHidden(column, true);
    }
    // A name cut short can be read by widening its column by hand.
    names_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    names_->setColumnWidth(0, columnWidth(0));
    placeNames();
}

void ClassTableView::placeNames() {
    const QRect area = viewport()->geometry();
    const int top = horizontalHeader()->geometry().top();
    names_->setGeometry(area.left(), top, columnWidth(0), area.bottom() + 1 - top);
}

void ClassTableView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::ControlModifier) {
        selectWhole(true);
        return;
    }
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::ShiftModifier) {
        selectWhole(false);
        return;
    }
    QTableView::keyPressEvent(event);
}

void ClassTableView::selectWhole(bool columns) {
    QSet<int> lines;
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (currentIndex().isValid()) {
        cells.append(currentIndex());
    }
    for (const QModelIndex& cell : cells) {
        lines.insert(columns ? cell.column() : cell.row());
    }
    const QAbstractItemModel* table = model();
    QItemSelection whole;
    for (const int line : lines) {
        if (columns) {
            whole.select(table->index(0, line), table->index(table->rowCount() - 1, line));
        } else {
            whole.select(table->index(line, 0), table->index(line, table->columnCount() - 1));
        }
    }
    selectionModel()->select(whole, QItemSelectionModel::ClearAndSelect);
}

void ClassTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeNames();
}

void ClassTableView::updateGeometries() {
    QTableView::updateGeometries();
    placeNames();
}

void ClassTableView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() == 0) {
        // The names are always in view: choosing one moves the table up or down only.
        horizontalScrollBar()->setValue(sideways);
        return;
    }
    // A cell is never left under the names.
    const int hidden = columnWidth(0) - visualRect(index).left();
    if (hidden > 0) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hidden);
    }
}

} // namespace kalidor
