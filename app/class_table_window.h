#pragma once
// The competence table of a class: the choosers of class and level, the table, the buttons that
// validate, take back or move the selected cells' pupils at once, and those that print the table
// and export it to a spreadsheet. The folder is read once when the window opens; a pupil opened
// or changed from the table is read again.

#include "app/class_table_model.h"
#include "app/closed_sheet.h"
#include "commands/class_table_batch.h"
#include "platform/platform.h"
#include "records/shared_state.h"
#include "reports/print_progress.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
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
    // Shows the pupils as their files hold them now in the main list, after the table changed
    // them.
    using ShowPupils = std::function<void(const QList<PupilNow>& pupils)>;

    // `state` gives the data folder only: the window reads records of its own.
    ClassTableWindow(const SharedState& state, Platform& platform, OpenPupil openPupil,
                     ShowPupils showPupils = {}, QWidget* parent = nullptr);

    // Reads the folder and shows the class of the pupil of `selectedNumber` (every class when
    // nothing is given or the pupil is not found), at niveau école. The files that could not
    // be read are named in one box once the window is shown.
    void showFolder(const std::optional<QString>& selectedNumber);

    ClassTableModel& model() { return *model_; }

    QComboBox* ComboClasse = nullptr;
    QComboBox* ComboNiveau = nullptr;
    QTableView* Grid1 = nullptr;
    QMenu* PopupTableau = nullptr; // the table's context menu: the three actions below
    QAction* ActionValider = nullptr;
    QAction* ActionRetirer = nullptr;
    QAction* ActionClasse = nullptr;
    QPushButton* ButtonValider = nullptr;
    QPushButton* ButtonRetirer = nullptr;
    QPushButton* ButtonClasse = nullptr;
    QPushButton* ButtonImprimer = nullptr;
    QPushButton* ButtonExporter = nullptr;
    QPushButton* ButtonFermer = nullptr;

public slots:
    void ComboChange();
    void Grid1DblClick();
    void ValiderClick();
    void RetirerClick();
    void ClasseClick();
    void ButtonImprimerClick();
    void ButtonExporterClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildChoosers(QWidget* row);
    void buildTable();
    void buildButtons(QWidget* row);
    // The actions on the selected cells, their menu and shortcuts.
    void buildBatchActions();
    // They act only when the selection holds cells they act on.
    void updateBatchActions();
    // The pupils of the selected cells (BatchPupil).
    QList<BatchPupil> selectedPupils(bool competences) const;
    // Runs a batch, then shows its pupils as their files hold them, in the table and the main
    // list, also when a failed write stopped it; then the summary or the failure.
    void runBatch(const std::function<QStringList(const PupilShown&)>& batch);
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
    // The rows of the pupils as their files hold them now, the current cell kept.
    void showPupilsNow(const QList<PupilNow>& pupils);

    const SharedState& state_;
    Platform& platform_;
    OpenPupil openPupil_;
    ShowPupils showPupils_;
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
