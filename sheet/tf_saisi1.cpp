#include "sheet/tf_saisi1.h"

#include "records/io_error.h"
#include "records/record_file.h"

namespace kalidor {

TF_saisi1::TF_saisi1(SharedState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform) {
    setObjectName(QStringLiteral("F_saisi1"));
    setWindowTitle(QString::fromUtf8("Fiche Elève compétences B2i"));
}

void TF_saisi1::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TF_saisi1::FormShow() {
    try {
        loadRecord(state_, state_.currentFileName);
    } catch (const IoError&) {
        // A sheet that cannot read its record shows a blank pupil.
        initNewRecord(state_.current);
    }
}

} // namespace kalidor
