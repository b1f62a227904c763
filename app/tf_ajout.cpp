#include "app/tf_ajout.h"

namespace kalidor {

TF_ajout::TF_ajout(SharedState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform) {
    setObjectName(QStringLiteral("F_ajout"));
    setWindowTitle(QString::fromUtf8("Ajouter un élève"));
}

} // namespace kalidor
