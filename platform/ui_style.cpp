#include "platform/ui_style.h"

#include "platform/push_buttons.h"

namespace kalidor {

namespace {

QFont fontOf(const char* family, int size, bool bold) {
    QFont font(QLatin1String(family), size);
    font.setBold(bold);
    return font;
}

} // namespace

QFont arial(int size, bool bold) {
    return fontOf("Arial", size, bold);
}

QFont timesNewRoman(int size, bool bold) {
    return fontOf("Times New Roman", size, bold);
}

QFont msSansSerif(int size) {
    return fontOf("MS Sans Serif", size, false);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setUpFixedForm(QWidget* form, const char* name, const char* caption, const QSize& size,
                    const QColor& background) {
    form->setObjectName(QLatin1String(name));
    form->setWindowTitle(tr8(caption));
    form->setFixedSize(size);
    setBackground(form, background);
}

void setBackground(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

void setPaneColours(QWidget* widget, const QColor& base, const QColor& text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    widget->setPalette(palette);
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, const QFont& font,
                  const QRect& geometry, const QColor& colour) {
    auto* label = new QLabel(tr8(caption), parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    if (colour.isValid()) {
        setTextColour(label, colour);
    }
    label->setGeometry(geometry);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption,
                        const QRect& geometry) {
    auto* button = new QPushButton(tr8(caption), parent);
    button->setObjectName(QLatin1String(name));
    pressOnReturn(button);
    button->setGeometry(geometry);
    return button;
}

DialogButtons makeDialogButtons(QDialog* dialog, const char* acceptName, const char* acceptCaption,
                                const char* cancelCaption) {
    DialogButtons buttons{new QPushButton(tr8(acceptCaption), dialog),
                          new QPushButton(tr8(cancelCaption), dialog), new QHBoxLayout};
    buttons.accept->setObjectName(QLatin1String(acceptName));
    buttons.accept->setDefault(true);
    buttons.cancel->setObjectName(QStringLiteral("ButtonAnnuler"));
    QObject::connect(buttons.accept, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    buttons.row->addStretch(1);
    buttons.row->addWidget(buttons.accept);
    buttons.row->addWidget(buttons.cancel);
    return buttons;
}

} // namespace kalidor
