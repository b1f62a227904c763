#pragma once
// The "Ajouter un élève" dialog: creates the record file of a new pupil and hands the pupil's
// list line to the main window.

#include "platform/edit_fields.h"
#include "platform/platform.h"
#include "records/list_lines.h"
#include "records/shared_state.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

namespace kalidor {

class TF_ajout : public QDialog {
    Q_OBJECT
public:
    TF_ajout(SharedState& state, Platform& platform, QWidget* parent = nullptr);

    // The list line and number of the pupil created while the dialog was open, once; nothing
    // when none.
    std::optional<ListEntry> takeAddedLine();

    QLineEdit* EditNom = nullptr;
    QLineEdit* Editprenom = nullptr;
    QLineEdit* Editclas = nullptr;
    MaskedDateEdit* Maskdatenais = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

public slots:
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void createPupil();

    SharedState& state_;
    Platform& platform_;
    std::optional<ListEntry> addedLine_;
};

} // namespace kalidor
