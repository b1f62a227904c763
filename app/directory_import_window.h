#pragma once
// The preview of the school directory's import: what importing the export would do, class by
// class, before anything is written. The stored name of each class can be changed here.

#include "commands/directory_import.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace kalidor {

class DirectoryImportWindow : public QDialog {
    Q_OBJECT
public:
    // The preview stays the caller's: the names typed here change its plan.
    explicit DirectoryImportWindow(DirectoryPreview& preview, QWidget* parent = nullptr);

    QLabel* LabelFichier = nullptr;
    QTableWidget* GridClasses = nullptr;
    QListWidget* ListEleves = nullptr;
    QLabel* LabelBilan = nullptr;
    QPushButton* ButtonImporter = nullptr;
    QPushButton* ButtonAnnuler = nullptr;

    // The table's columns.
    enum Column { kLabel, kStored, kPupils, kCreated, kMoved, kUnchanged, kToCheck, kNote };

private:
    // Shows the plan as it stands: the class rows, the pupils left out or to check, the counts.
    void showPlan();
    void storedNameEdited(int row, int column);

    DirectoryPreview& preview_;
};

} // namespace kalidor
