#include "app/class_table_validate_dialog.h"

#include "platform/ui_style.h"
#include "records/class_table_texts.h"
#include "records/tfiche.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace kalidor {

namespace {

using namespace colours;

// A field's label, its buddy, and the same words for a screen reader.
QLabel* fieldLabel(QWidget* parent, const char* name, const char* caption, QWidget* field) {
    QLabel* label = makeLabel(parent, name, caption, arial(12, true), {}, kAqua);
    label->setBuddy(field);
    field->setAccessibleName(label->text().remove(QLatin1Char('&')));
    return label;
}

} // namespace

ValidationDialog::ValidationDialog(const QString& plan, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("F_valider"));
    setWindowTitle(tr8(class_table_texts::kValidateCaption));
    setBackground(this, kTeal);

    LabelPlan = makeLabel(this, "LabelPlan", "", arial(12, true), {}, Qt::white);
    LabelPlan->setText(plan);
    LabelPlan->setWordWrap(true);
    // On one line while it is not longer than a line may be.
    constexpr int kLongestLine = 640;
    LabelPlan->setMinimumWidth(
        std::min(LabelPlan->fontMetrics().horizontalAdvance(plan) + 8, kLongestLine));
    // Heard first when the dialog opens.
    setAccessibleDescription(plan);

    // Created in tab order: the fields, the box, the buttons.
    Editprof = makeRecordEdit(this, "Editprof", fields::kProfesseurCapacity, LetterCase::Upper);
    Maskdate = new MaskedDateEdit(this);
    Maskdate->setObjectName(QStringLiteral("Maskdate"));
    Maskdate->setDateText(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    Editdisci = makeRecordEdit(this, "Editdisci", fields::kDisciplineCapacity);
    CheckRemplacer = new QCheckBox(tr8(class_table_texts::kReplaceDetails), this);
    CheckRemplacer->setObjectName(QStringLiteral("CheckRemplacer"));
    setTextColour(CheckRemplacer, kAqua);
    CheckRemplacer->setFont(arial(12, true));

    // Return validates from any field, once the teacher's name is typed.
    const DialogButtons buttons =
        makeDialogButtons(this, "ButtonValider", class_table_texts::kValidateButton,
                          class_table_texts::kCancelButton);
    ButtonValider = buttons.accept;
    ButtonAnnuler = buttons.cancel;

    auto* fieldsLayout = new QFormLayout;
    fieldsLayout->addRow(fieldLabel(this, "LabelProf", class_table_texts::kTeacherLabel, Editprof),
                         Editprof);
    fieldsLayout->addRow(fieldLabel(this, "LabelDate", class_table_texts::kDateLabel, Maskdate),
                         Maskdate);
    fieldsLayout->addRow(
        fieldLabel(this, "LabelDisci", class_table_texts::kDisciplineLabel, Editdisci), Editdisci);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelPlan);
    layout->addLayout(fieldsLayout);
    layout->addWidget(CheckRemplacer);
    layout->addLayout(buttons.row);
}

ValidationDetails ValidationDialog::details() const {
    return {Editprof->text().left(fields::kProfesseurCapacity), Maskdate->dateText(),
            Editdisci->text().left(fields::kDisciplineCapacity), CheckRemplacer->isChecked()};
}

} // namespace kalidor
