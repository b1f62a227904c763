#pragma once
// Driving a modal window in a test: the actions run once the window's event loop is going,
// and the window is closed afterwards if the actions left it open, so that a failed
// expectation never hangs the test.

#include <QDialog>
#include <QTimer>
#include <functional>

namespace kalidor::test {

// Runs `open` (which shows `dialog` modally) while `actions` drive the dialog.
inline void driveModal(QDialog* dialog, const std::function<void()>& actions,
                       const std::function<void()>& open) {
    QTimer::singleShot(0, dialog, [dialog, actions] {
        actions();
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    open();
}

} // namespace kalidor::test
