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

QLabel* makeLabel(QWidget* parent, const char* name, const char* text, bool blue) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    if (blue) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colours::kBlue);
        label->setPalette(palette);
    }
    return label;
}

} // namespace

TAboutBox::TAboutBox(const QPixmap& logo, const QPixmap& icon, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QString::fromUtf8(texts::kAboutCaption));
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, colours::kSilver);
    setPalette(grey);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(8, 8, kWidth - 16, 84);

    auto* programIcon = new QLabel(panel);
    programIcon->setObjectName(QStringLiteral("ProgramIcon"));
    programIcon->setGeometry(8, 10, 64, 64);
    programIcon->setPixmap(icon);

    QLabel* product = makeLabel(panel, "ProductName", texts::kProductName, true);
    QFont productFont(QStringLiteral("Times New Roman"), 18);
    productFont.setBold(true);
    product->setFont(productFont);
    product->setAlignment(Qt::AlignCenter);
    product->setGeometry(80, 10, kWidth - 112, 32);

    QLabel* description = makeLabel(panel, "Version", texts::kProductDescription, false);
    description->setAlignment(Qt::AlignCenter);
    description->setGeometry(80, 48, kWidth - 112, 24);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(logo);
    picture->setAlignment(Qt::AlignCenter);
    picture->setGeometry(8, 96, kWidth - 16, 160);

    QLabel* author = makeLabel(this, "Comments", texts::kAuthor, true);
    author->setAlignment(Qt::AlignCenter);
    author->setGeometry(8, 258, kWidth - 16, 20);

    auto* ok = new QPushButton(QString::fromUtf8(texts::kAboutOk), this);
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
