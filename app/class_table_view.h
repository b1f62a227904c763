#pragma once
// The competence table's view: the pupils' names stay in view when the table scrolls sideways,
// as a spreadsheet's frozen first column does, and the competences' headers stand under the band
// of their domain (BandHeader). Cells of the pupils' rows are selected as in a spreadsheet: with
// the mouse (click, Shift, Ctrl, drag, a column's header), Shift and the arrows, Ctrl+Space for
// the columns of the selection, Shift+Space for its rows. The model's last row, the counts, is
// never selected.

#include <QTableView>

namespace kalidor {

class ClassTableView : public QTableView {
    Q_OBJECT
public:
    explicit ClassTableView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // The view of the first column, laid over the table's own.
    QTableView* names() const { return names_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    // Both views read and select alike.
    static void setUpView(QTableView* view);
    // The names' view shows the first column only, as wide as the table's.
    void showNamesOnly();
    void placeNames();
    // The whole columns (or rows) of the selected cells and of the current one, for the pupils.
    void selectWhole(bool columns);

    QTableView* names_;
};

} // namespace kalidor
