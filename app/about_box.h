#pragma once
// The about box: product name, description, logo and author.

#include <QDialog>
#include <QPixmap>

namespace kalidor {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    TAboutBox(const QPixmap& logo, const QPixmap& icon, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace kalidor
