#pragma once
// The competence sheet of one pupil.

#include "platform/platform.h"
#include "records/shared_state.h"

#include <QDialog>

namespace kalidor {

class TF_saisi1 : public QDialog {
    Q_OBJECT
public:
    TF_saisi1(SharedState& state, Platform& platform, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    SharedState& state_;
    Platform& platform_;
};

} // namespace kalidor
