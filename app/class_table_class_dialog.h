#pragma once
// The dialog of the competence table's "Changer de classe…": the class the selected pupils move
// to.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalidor {

class ClassChangeDialog : public QDialog {
    Q_OBJECT
public:
    // `plan`: whom the class is changed for ("Nouvelle classe de 2 élèves :").
    explicit ClassChangeDialog(const QString& plan, QWidget* parent = nullptr);

    // The class typed, as the record stores it.
    QString classe() const;

    QLabel* LabelPlan = nullptr;
    QLineEdit* Editclas = nullptr;
    QPushButton* ButtonChanger = nullptr;
    QPushButton* ButtonAnnuler = nullptr;
};

} // namespace kalidor
