#pragma once
// The "Ajouter un élève" dialog.

#include "platform/platform.h"
#include "records/shared_state.h"

#include <QDialog>

namespace kalidor {

class TF_ajout : public QDialog {
    Q_OBJECT
public:
    TF_ajout(SharedState& state, Platform& platform, QWidget* parent = nullptr);

private:
    SharedState& state_;
    Platform& platform_;
};

} // namespace kalidor
