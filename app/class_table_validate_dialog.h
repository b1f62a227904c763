#pragma once
// The dialog of the competence table's "Valider…": what will happen, and what the competence
// sheet asks for each competence it validates: the teacher, the date (today unless changed), the
// discipline; and whether competences validated already take these details too.

#include "commands/class_table_batch.h"
#include "platform/edit_fields.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kalidor {

class ValidationDialog : public QDialog {
    Q_OBJECT
public:
    // `plan`: what validating the selected cells will do.
    explicit ValidationDialog(const QString& plan, QWidget* parent = nullptr);

    // What was typed, as the record stores it.
    ValidationDetails details() const;

    QLabel* LabelPlan = nullptr;
    QLineEdit* Editprof = nullptr;
    MaskedDateEdit* Maskdate = nullptr;
    QLineEdit* Editdisci = nullptr;
    QCheckBox* CheckRemplacer = nullptr;
    QPushButton* ButtonValider = nullptr;
    QPushButton* ButtonAnnuler = nullptr;
};

} // namespace kalidor
