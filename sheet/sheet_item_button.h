#pragma once
// A radio item of the competence sheet: the competence text wraps over two lines when it does
// not fit on one, and the whole row answers a click.

#include <QRadioButton>

namespace kalidor {

class SheetItemButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

} // namespace kalidor
