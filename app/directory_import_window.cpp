#include "app/directory_import_window.h"

#include "app/app_texts.h"
#include "platform/ui_style.h"
#include "records/tfiche.h"
#include "records/utf8.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <iterator>

namespace kalidor {

namespace {

// A class name is typed as the record keeps it: 8 characters at most.
class StoredNameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            line->setMaxLength(fields::kClasse.capacity);
        }
        return editor;
    }
};

QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

DirectoryImportWindow::DirectoryImportWindow(DirectoryPreview& preview, QWidget* parent)
    : QDialog(parent), preview_(preview) {
    setObjectName(QStringLiteral("F_annuaire"));
    setWindowTitle(tr8(app_texts::kDirectoryCaption));
    resize(860, 520);

    LabelFichier = makeLabel(this, "LabelFichier", "", arial(10, true), {});
    LabelFichier->setText(tr8(app_texts::kDirectoryFile).arg(preview.fileName()));
    QLabel* classesLabel =
        makeLabel(this, "LabelClasses", app_texts::kDirectoryClasses, arial(10), {});
    GridClasses = new QTableWidget(this);
    GridClasses->setObjectName(QStringLiteral("GridClasses"));
    GridClasses->setColumnCount(static_cast<int>(std::size(app_texts::kDirectoryColumns)));
    QStringList headers;
    for (const char* header : app_texts::kDirectoryColumns) {
        headers.append(tr8(header));
    }
    GridClasses->setHorizontalHeaderLabels(headers);
    GridClasses->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    GridClasses->verticalHeader()->hide();
    GridClasses->setItemDelegateForColumn(kStored, new StoredNameDelegate(GridClasses));
    GridClasses->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    GridClasses->setAccessibleName(classesLabel->text());
    classesLabel->setBuddy(GridClasses);

    QLabel* pupilsLabel =
        makeLabel(this, "LabelEleves", app_texts::kDirectoryPupils, arial(10), {});
    ListEleves = new QListWidget(this);
    ListEleves->setObjectName(QStringLiteral("ListEleves"));
    ListEleves->setAccessibleName(pupilsLabel->text());
    pupilsLabel->setBuddy(ListEleves);
    LabelBilan = makeLabel(this, "LabelBilan", "", arial(10, true), {});
    LabelBilan->setWordWrap(true);

    const DialogButtons buttons = makeDialogButtons(
        this, "ButtonImporter", app_texts::kDirectoryImport, app_texts::kDirectoryCancel);
    ButtonImporter = buttons.accept;
    ButtonAnnuler = buttons.cancel;

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelFichier);
    layout->addWidget(classesLabel);
    layout->addWidget(GridClasses, 2);
    layout->addWidget(pupilsLabel);
    layout->addWidget(ListEleves, 1);
    layout->addWidget(LabelBilan);
    layout->addLayout(buttons.row);

    showPlan();
    connect(GridClasses, &QTableWidget::cellChanged, this,
            &DirectoryImportWindow::storedNameEdited);
}

void DirectoryImportWindow::showPlan() {
    const QSignalBlocker quiet(GridClasses);
    const DirectoryPlan& plan = preview_.plan();
    GridClasses->setRowCount(static_cast<int>(plan.classes.size()));
    for (int row = 0; row < GridClasses->rowCount(); ++row) {
        const ClassPreview& entry = plan.classes.at(row);
        GridClasses->setItem(row, kLabel, readOnlyItem(entry.label));
        GridClasses->setItem(row, kStored, new QTableWidgetItem(entry.stored));
        const int counts[] = {entry.pupils, entry.created, entry.moved, entry.unchanged,
                              entry.toCheck};
        for (int column = kPupils; column <= kToCheck; ++column) {
            GridClasses->setItem(row, column,
                                 readOnlyItem(QString::number(counts[column - kPupils])));
        }
        GridClasses->setItem(
            row, kNote,
            readOnlyItem(entry.clash ? tr8(app_texts::kDirectoryClashNote) : QString()));
    }
    ListEleves->clear();
    ListEleves->addItems(preview_.pupilLines());
    LabelBilan->setText(preview_.closingLines().join(QLatin1Char('\n')));
    LabelBilan->setAccessibleDescription(LabelBilan->text());
    ButtonImporter->setEnabled(!plan.actions.isEmpty());
}

void DirectoryImportWindow::storedNameEdited(int row, int column) {
    if (column != kStored) {
        return;
    }
    preview_.setStoredName(preview_.plan().classes.at(row).label,
                           GridClasses->item(row, column)->text());
    showPlan();
}

} // namespace kalidor
