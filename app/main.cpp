// KALIDOR: the B2i competence records of a school's pupils.

#include "app/app_texts.h"
#include "app/guarded_application.h"
#include "app/kalidor_program.h"
#include "app/translations.h"
#include "platform/qt_platform.h"
#include "records/utf8.h"

#include <QApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

// A program with windows needs a display; without one, say so rather than let the toolkit
// abort.
bool displayAvailable() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // A write beyond a file size limit then fails with an error the program reports as a full
    // disk, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    if (!displayAvailable()) {
        std::fputs(kalidor::app_texts::kNoDisplay, stderr);
        return 1;
    }

    kalidor::GuardedApplication application(argc, argv);
    QApplication::setApplicationName(kalidor::tr8(kalidor::app_texts::kMainCaption));
    kalidor::installFrenchTranslations(application);

    kalidor::QtPlatform platform;
    application.setPlatform(&platform);
    kalidor::KalidorProgram program(platform, QApplication::applicationDirPath());
    program.F_une->show();

    // Used by the start-up benchmark: leave as soon as the main window is on screen.
    if (qEnvironmentVariableIsSet("KALIDOR_EXIT_WHEN_SHOWN")) {
        QTimer::singleShot(0, &application, &QApplication::quit);
    }
    const int code = application.exec();
    application.setPlatform(nullptr); // the platform goes before the application
    return code;
}
