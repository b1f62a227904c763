#include "app/about_box.h"

#include "app/app_texts.h"
#include "platform/ui_style.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace kalidor {

namespace {

constexpr int kWidth = 411;
constexpr int kHeight = 311;

// A centred line of text in the dialog's own font, bold.
QLabel* makeLine(QWidget* parent, const char* name, const char* text, const QRect& geometry,
                 const QColor& colour = QColor()) {
    QFont bold = parent->font();
    bold.setBold(true);
    QLabel* label = makeLabel(parent, name, text, bold, geometry, colour);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

TAboutBox::TAboutBox(const QPixmap& logo, const QPixmap& icon, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr8(app_texts::kAboutCaption));
    setFixedSize(kWidth, kHeight);
    setBackground(this, colours::kSilver);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, kWidth - 16, 84);

    auto* programIcon = new QLabel(panel);
    programIcon->setObjectName(QStringLiteral("ProgramIcon"));
    programIcon->setGeometry(8, 10, 64, 64);
    programIcon->setPixmap(icon);

    makeLine(panel, "ProductName", app_texts::kProductName, {80, 10, kWidth - 112, 32},
             colours::kBlue)
        ->setFont(timesNewRoman(18, true));
    makeLine(panel, "Version", app_texts::kProductDescription, {80, 48, kWidth - 112, 24});

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(logo);
    picture->setAlignment(Qt::AlignCenter);
    picture->setGeometry(8, 96, kWidth - 16, 160);

    makeLine(this, "Comments", app_texts::kAuthor, {8, 258, kWidth - 16, 20}, colours::kBlue);

    auto* ok = new QPushButton(tr8(app_texts::kAboutOk), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setGeometry((kWidth - 75) / 2, kHeight - 30, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
    // Centred on the screen, where a dialog would otherwise centre on the main window.
    if (const QScreen* shownOn = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shownOn->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

} // namespace kalidor
