#include "reports/tf_annule.h"

namespace kalidor {

TF_annule::TF_annule(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("F_annule"));
    setWindowTitle(QStringLiteral("Impression en cours"));
}

} // namespace kalidor
