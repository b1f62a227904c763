#include "app/add_pupil_dialog.h"

#include "app/app_texts.h"
#include "commands/pupil_folder.h"
#include "platform/command_guard.h"
#include "platform/ui_style.h"
#include "records/list_lines.h"
#include "records/pupil_files.h"

namespace kalidor {

namespace {

constexpr QSize kSize(612, 191);
// Each row an aqua label, then its field; each next row kRowStep lower.
constexpr QRect kFirstLabel(16, 14, 170, 26);
constexpr int kEditLeft = 190;
constexpr int kRowStep = 34;
// The buttons, one under the other.
constexpr QRect kFirstButton(456, 14, 140, 34);
constexpr int kButtonStep = 42;

using namespace colours;

// One row: the aqua label and its field.
void placeRow(QWidget* parent, int row, const char* caption, QLineEdit* edit, int editWidth) {
    const QRect labelPlace = kFirstLabel.translated(0, row * kRowStep);
    const QByteArray name = "Label" + edit->objectName().toLatin1();
    makeLabel(parent, name.constData(), caption, arial(12, true), labelPlace, kAqua)
        ->setBuddy(edit);
    edit->setGeometry(kEditLeft, labelPlace.top(), editWidth, labelPlace.height());
}

QRect buttonPlace(int row) {
    return kFirstButton.translated(0, row * kButtonStep);
}

} // namespace

TF_ajout::TF_ajout(SharedState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform) {
    setUpFixedForm(this, "F_ajout", app_texts::kAjoutCaption, kSize, kTeal);

    // Created in tab order: the name first.
    EditNom = makeRecordEdit(this, "EditNom", fields::kNom.capacity, LetterCase::Upper);
    Editprenom = makeRecordEdit(this, "Editprenom", fields::kPrenom.capacity);
    Editclas = makeRecordEdit(this, "Editclas", fields::kClasse.capacity);
    Maskdatenais = new MaskedDateEdit(this);
    Maskdatenais->setObjectName(QStringLiteral("Maskdatenais"));
    placeRow(this, 0, app_texts::kAjoutNom, EditNom, 240);
    placeRow(this, 1, app_texts::kAjoutPrenom, Editprenom, 240);
    placeRow(this, 2, app_texts::kAjoutClasse, Editclas, 110);
    placeRow(this, 3, app_texts::kAjoutDateNaissance, Maskdatenais, 120);

    SpeedButton1 = makeButton(this, "SpeedButton1", app_texts::kAjoutEnregistrer, buttonPlace(0));
    BitBtn1 = makeButton(this, "BitBtn1", app_texts::kAjoutAnnuler, buttonPlace(1));
    connect(SpeedButton1, &QPushButton::clicked, this, &TF_ajout::SpeedButton1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<ListEntry> TF_ajout::takeAddedLine() {
    return std::exchange(addedLine_, std::nullopt);
}

void TF_ajout::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TF_ajout::FormShow() {
    // The class stays: a run of pupils of one class is typed without retyping it.
    EditNom->clear();
    Editprenom->clear();
    Maskdatenais->clear();
    addedLine_.reset();
    EditNom->setFocus();
}

void TF_ajout::SpeedButton1Click() {
    if (EditNom->text().isEmpty()) {
        platform_.showMessage(this, tr8(app_texts::kNomRequis));
        accept();
        return;
    }
    // A failed write keeps the dialog open with what was typed, after the error box.
    if (runGuarded(platform_, this, [this] { createPupil(); })) {
        accept();
    }
}

void TF_ajout::createPupil() {
    TFiche record = blankRecord();
    record.setNom(EditNom->text());
    record.setPrenom(Editprenom->text());
    record.setDateNais(Maskdatenais->dateText());
    record.setClasse(Editclas->text());
    addedLine_ = PupilFolder(state_).addPupil(record);
}

} // namespace kalidor
