#include "platform/push_buttons.h"

#include <QKeyEvent>

namespace kalidor {

namespace {

class ReturnPresses : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            modifiers != Qt::NoModifier) {
            return false;
        }
        auto* button = static_cast<QPushButton*>(watched);
        if (button->isEnabled()) {
            button->click();
        }
        return true;
    }
};

} // namespace

void pressOnReturn(QPushButton* button) {
    button->setAutoDefault(false);
    button->installEventFilter(new ReturnPresses(button));
}

} // namespace kalidor
