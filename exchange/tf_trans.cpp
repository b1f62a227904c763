#include "exchange/tf_trans.h"

namespace kalidor {

TF_trans::TF_trans(SharedState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform) {
    setObjectName(QStringLiteral("F_trans"));
    setWindowTitle(QStringLiteral("Fichier de transfert"));
}

} // namespace kalidor
