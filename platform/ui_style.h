#pragma once
// The look of the program's windows, in one place: colours, fonts, palettes and the labels and
// buttons the forms are made of.

#include "records/utf8.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QWidget>

namespace kalidor {

namespace colours {
inline const QColor kTeal(0x00, 0x80, 0x80);
inline const QColor kAqua(0x00, 0xFF, 0xFF);
inline const QColor kLime(0x00, 0xFF, 0x00);
inline const QColor kBlue(0x00, 0x00, 0xFF);
inline const QColor kYellow(0xFF, 0xFF, 0x00);
inline const QColor kSilver(0xC0, 0xC0, 0xC0);
inline const QColor kRed(0xFF, 0x00, 0x00);
} // namespace colours

QFont arial(int size, bool bold = false);
QFont timesNewRoman(int size, bool bold = false);
QFont msSansSerif(int size);

// Text and captions drawn in `colour`.
void setTextColour(QWidget* widget, const QColor& colour);
// The widget fills its background with `colour`.
void setBackground(QWidget* widget, const QColor& colour);
// A list or text pane: `text` on `base`.
void setPaneColours(QWidget* widget, const QColor& base, const QColor& text);

// A window of fixed size: its object name, caption, size and background.
void setUpFixedForm(QWidget* form, const char* name, const char* caption, const QSize& size,
                    const QColor& background);

// A label with its object name, font and place; its text in `colour` when one is given.
QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, const QFont& font,
                  const QRect& geometry, const QColor& colour = QColor());

// A button with its object name and place. Return presses it while it has the focus; in a
// field Return presses no button.
QPushButton* makeButton(QWidget* parent, const char* name, const char* caption,
                        const QRect& geometry);

// A dialog's two closing buttons, made in tab order and laid in a row at its right: `accept`
// (the default button, which Return presses from any field) accepts the dialog, "ButtonAnnuler"
// rejects it.
struct DialogButtons {
    QPushButton* accept;
    QPushButton* cancel;
    QHBoxLayout* row;
};
DialogButtons makeDialogButtons(QDialog* dialog, const char* acceptName, const char* acceptCaption,
                                const char* cancelCaption);

} // namespace kalidor
