#pragma once
// The transfer dialog: writes chosen pupils to a transfer file and brings pupils back.

#include "platform/platform.h"
#include "records/shared_state.h"

#include <QDialog>

namespace kalidor {

class TF_trans : public QDialog {
    Q_OBJECT
public:
    TF_trans(SharedState& state, Platform& platform, QWidget* parent = nullptr);

private:
    SharedState& state_;
    Platform& platform_;
};

} // namespace kalidor
