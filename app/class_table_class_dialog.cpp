#include "app/class_table_class_dialog.h"

#include "platform/edit_fields.h"
#include "platform/ui_style.h"
#include "records/class_table_texts.h"
#include "records/tfiche.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace kalidor {

using namespace colours;

ClassChangeDialog::ClassChangeDialog(const QString& plan, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("F_classe"));
    setWindowTitle(tr8(class_table_texts::kClassCaption));
    setBackground(this, kTeal);

    LabelPlan = makeLabel(this, "LabelPlan", "", arial(12, true), {}, Qt::white);
    LabelPlan->setText(plan);
    setAccessibleDescription(plan);
    Editclas = makeRecordEdit(this, "Editclas", fields::kClasse.capacity);
    QLabel* label = makeLabel(this, "LabelClasse", class_table_texts::kNewClassLabel,
                              arial(12, true), {}, kAqua);
    label->setBuddy(Editclas);
    Editclas->setAccessibleName(label->text().remove(QLatin1Char('&')));

    ButtonChanger = new QPushButton(tr8(class_table_texts::kChangeButton), this);
    ButtonChanger->setObjectName(QStringLiteral("ButtonChanger"));
    ButtonChanger->setDefault(true);
    // A pupil is moved to a class, not out of every class.
    ButtonChanger->setEnabled(false);
    ButtonAnnuler = new QPushButton(tr8(class_table_texts::kCancelButton), this);
    ButtonAnnuler->setObjectName(QStringLiteral("ButtonAnnuler"));
    connect(Editclas, &QLineEdit::textChanged, this,
            [this](const QString& text) { ButtonChanger->setEnabled(!text.isEmpty()); });
    connect(ButtonChanger, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonAnnuler, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(Editclas, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonChanger);
    buttons->addWidget(ButtonAnnuler);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelPlan);
    layout->addLayout(field);
    layout->addLayout(buttons);
}

QString ClassChangeDialog::classe() const {
    return Editclas->text().left(fields::kClasse.capacity);
}

} // namespace kalidor
