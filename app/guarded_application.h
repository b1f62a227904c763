#pragma once
// The application object, with a last guard around every event: a failure that escapes a
// command is shown in the standard error box and the program goes on, instead of ending it.

#include "platform/platform.h"

#include <QApplication>

namespace kalidor {

class GuardedApplication : public QApplication {
public:
    using QApplication::QApplication;

    // The platform whose error box shows the failures; none until it is set.
    void setPlatform(Platform* platform) { platform_ = platform; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Platform* platform_ = nullptr;
};

} // namespace kalidor
