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

    const DialogButtons buttons = makeDialogButtons(
        this, "ButtonChanger", class_table_texts::kChangeButton, class_table_texts::kCancelButton);
    ButtonChanger = buttons.accept;
    ButtonAnnuler = buttons.cancel;
    // A pupil is moved to a class, not out of every class.
    ButtonChanger->setEnabled(false);
    connect(Editclas, &QLineEdit::textChanged, this,
            [this](const QString& text) { ButtonChanger->setEnabled(!text.isEmpty()); });

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(Editclas, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelPlan);
    layout->addLayout(field);
    layout->addLayout(buttons.row);
}

QString ClassChangeDialog::classe() const {
    return Editclas->text().left(fields::kClasse.capacity);
}

} // namespace kalidor
