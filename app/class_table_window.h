#pragma once
// The competence table of a class: the choosers of class and level, the table, and the
// buttons that print it and export it to a spreadsheet. The folder is read once when the window
// opens; a pupil opened from the table is read again when the sheet closes.

#include "app/class_table_model.h"
#include "app/closed_sheet.h"
#include "platform/platform.h"
#include "records/shared_state.h"
#include "reports/print_progress.h"

#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTableView>
#include <functional>
#include <optional>

namespace kalidor {

class ClassTableWindow : public QDialog {
    Q_OBJECT
public:
    // Opens a pupil's competence sheet as the main list does, and returns once it is closed.
    using OpenPupil = std::function<ClosedSheet(const QString& numberText)>;

    // `state` gives the data folder only: the window reads records of its own.
    ClassTableWindow(const SharedState& state, Platform& platform, OpenPupil openPupil,
                     QWidget* parent = nullptr);

    // Reads the folder and shows the class of the pupil of `selectedNumber` (every class when
    // nothing is given or the pupil is not found), at niveau école. The files that could not
    // be read are named in one box once the window is shown.
    void showFolder(const std::optional<QString>& selectedNumber);

    ClassTableModel& model() { return *model_; }

    QComboBox* ComboClasse = nullptr;
    QComboBox* ComboNiveau = nullptr;
    QTableView* Grid1 = nullptr;
    QPushButton* ButtonImprimer = nullptr;
    QPushButton* ButtonExporter = nullptr;
    QPushButton* ButtonFermer = nullptr;

public slots:
    void ComboChange();
    void Grid1DblClick();
    void ButtonImprimerClick();
    void ButtonExporterClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildChoosers(QWidget* row);
    void buildTable();
    void buildButtons(QWidget* row);
    // Fills the class chooser with `classes` and selects `classe` (every class when it is gone).
    void fillClasses(const QStringList& classes, const TableClass& classe);
    // Widens the pupils' column for the names that may be the widest.
    void fitNames(const QList<TablePupil>& pupils);
    TableClass chosenClass() const;
    int chosenLevel() const;
    // Each column as wide as its widest text can be in a table of `rows` pupils at `level`.
    QList<int> columnWidths(int level, int rows) const;
    // The window's width that shows such a table without scrolling.
    int windowWidthFor(int level, int rows) const;
    // Column widths, and the table's name for a screen reader, after the model changed.
    void fitColumns();
    // The pupil's row as the sheet left its file; nothing removes it.
    void showClosedPupil(const QString& numberText, const std::optional<TFiche>& record);

    const SharedState& state_;
    Platform& platform_;
    OpenPupil openPupil_;
    // The print-in-progress window of this window's documents, made when first printing: the
    // main window's one would be blocked by this modal window, and its abort button with it.
    TF_annule* annule_ = nullptr;
    ClassTableModel* model_ = nullptr;
    QStringList classes_; // the class chooser's entries after "Toutes les classes"
    QList<RecordFailure> failures_;
    int nameWidth_ = 0;
    bool filling_ = false;
};

} // namespace kalidor
