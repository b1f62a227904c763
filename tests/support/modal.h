#pragma once
// Driving a modal window in a test: the actions run once the window is shown and its event
// loop is going, and the window is closed afterwards if the actions left it open (a failed
// assertion returns from them early). A modal window still open after the time limit is
// closed and fails the test, so that no expectation ever hangs the test until it is killed.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace kalidor::test {

inline constexpr int kModalTimeLimitMs = 60000;
inline constexpr int kActivationWaitMs = 2000;

inline void closeWindow(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->reject();
    } else {
        window->close();
    }
}

// Closes every open modal window, the innermost first.
inline void closeModalWindows() {
    for (int nesting = 0; nesting < 16; ++nesting) {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        closeWindow(modal);
    }
}

// Runs `open`, which may show a modal window. Once `shown()` returns a visible window, the
// actions run on it. When `open` shows nothing, the actions never run.
inline void driveModalWindow(const std::function<QWidget*()>& shown,
                             const std::function<void(QWidget*)>& actions,
                             const std::function<void()>& open) {
    QTimer poll;
    poll.setInterval(1);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const QPointer<QWidget> window = shown();
        if (window == nullptr || !window->isVisible()) {
            return;
        }
        poll.stop();
        // Keys and focus reach an active window only; a shown window becomes active a moment
        // later, later still under the sanitizers.
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(window, kActivationWaitMs);
        if (window == nullptr) {
            return;
        }
        actions(window);
        if (window != nullptr && window->isVisible()) {
            closeWindow(window);
        }
    });
    QObject::connect(&limit, &QTimer::timeout, [] {
        ADD_FAILURE() << "a modal window was still open after " << kModalTimeLimitMs / 1000
                      << " s: closed";
        closeModalWindows();
    });
    poll.start();
    limit.start(kModalTimeLimitMs);
    open();
}

// Runs `open` (which shows `dialog` modally) while `actions` drive the dialog.
inline void driveModal(QDialog* dialog, const std::function<void()>& actions,
                       const std::function<void()>& open) {
    driveModalWindow([dialog] { return dialog; }, [&actions](QWidget*) { actions(); }, open);
}

// The same for a window the test holds no pointer to (the about box, Qt's own dialogs): the
// actions get the active modal window.
inline void driveModal(const std::function<void(QWidget*)>& actions,
                       const std::function<void()>& open) {
    driveModalWindow([] { return QApplication::activeModalWidget(); }, actions, open);
}

} // namespace kalidor::test
