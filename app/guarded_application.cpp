#include "app/guarded_application.h"

#include "platform/command_guard.h"

namespace kalidor {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    if (platform_ == nullptr) {
        return QApplication::notify(receiver, event);
    }
    bool handled = false;
    runGuarded(*platform_, activeWindow(),
               [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace kalidor
