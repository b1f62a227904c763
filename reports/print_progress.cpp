#include "reports/print_progress.h"

#include "platform/ui_style.h"
#include "records/report_texts.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace kalidor {

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 130;
using namespace colours;

} // namespace

TF_annule::TF_annule(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("F_annule"));
    setWindowTitle(tr8(report_texts::kAnnuleCaption));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    resize(kWidth, kHeight);
    setBackground(this, kTeal);

    Panel1 = new QLabel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    setBackground(Panel1, kSilver);

    BitBtn1 = new QPushButton(tr8(report_texts::kAnnuleButton), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TF_annule::BitBtn1Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1, 1);
    layout->addWidget(BitBtn1);
}

void TF_annule::startDocument(const QString& panelText) {
    continue_ = true;
    documentOpen_ = true;
    Panel1->setText(panelText);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
}

void TF_annule::endDocument() {
    documentOpen_ = false;
    // Hidden, not closed: closing is what the user does to stop the printing.
    hide();
}

void TF_annule::stopPrinting() {
    continue_ = false;
    hide();
}

void TF_annule::BitBtn1Click() {
    stopPrinting();
}

void TF_annule::reject() {
    stopPrinting();
}

} // namespace kalidor
