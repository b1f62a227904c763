#pragma once
// Buttons of the pupil forms and dialogs that answer the keyboard as on the teachers' usual
// desktop: Return or Enter presses the focused button, and only that one.

#include <QPushButton>

namespace kalidor {

// Return or Enter while `button` has the focus presses it. The button is not one the dialog
// presses itself on Return, so Return in a text field presses nothing through it.
void pressOnReturn(QPushButton* button);

} // namespace kalidor
