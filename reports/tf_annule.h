#pragma once
// The print-in-progress window with its abort button.

#include <QDialog>

namespace kalidor {

class TF_annule : public QDialog {
    Q_OBJECT
public:
    explicit TF_annule(QWidget* parent = nullptr);
};

} // namespace kalidor
