// The program as a whole process: start-up in its own folder, French dialogs, no display.

#include "app/translations.h"
#include "tests/support/test_folder.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

using namespace kalidor;
using kalidor::test::TestFolder;

namespace {

// Runs the built program from `folder` with the given environment.
QProcess* runProgram(const TestFolder& folder, const QProcessEnvironment& environment) {
    const QString built = QApplication::applicationDirPath() + QStringLiteral("/kalidor");
    const QString installed = folder.path(QStringLiteral("kalidor"));
    QFile::copy(built, installed);
    auto* process = new QProcess;
    process->setProcessEnvironment(environment);
    process->start(installed, {});
    process->waitForFinished(20000);
    return process;
}

} // namespace

TEST(Startup, StandardDialogsSpeakFrench) {
    ASSERT_TRUE(installFrenchTranslations(*QApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annuler"));
    EXPECT_EQ(QLocale().language(), QLocale::French);
}

TEST(Startup, ShowsTheMainWindowFromItsFolderWithoutWritingAnything) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("DUPONT"), QStringLiteral("Marie"), QStringLiteral("6A"));
    const QByteArray before = folder.readBytes(QStringLiteral("1.b2i"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("KALIDOR_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    std::unique_ptr<QProcess> process(runProgram(folder, environment));
    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")), before);
    EXPECT_EQ(folder.entries(), QStringList({QStringLiteral("1.b2i"), QStringLiteral("kalidor")}));
}

TEST(Startup, SaysInFrenchThatItNeedsADisplay) {
    TestFolder folder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        environment.remove(QLatin1String(variable));
    }
    std::unique_ptr<QProcess> process(runProgram(folder, environment));
    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 1);
    EXPECT_TRUE(
        QString::fromUtf8(process->readAllStandardError()).contains(QString::fromUtf8("écran")));
}

// What only printing or a zipped export needs is opened then: libcups and libzip, and the
// libraries they bring, would be loaded at every start-up.
TEST(Startup, LoadsNeitherTheSpoolerNorTheZipLibrary) {
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"),
              {QApplication::applicationDirPath() + QStringLiteral("/kalidor")});
    ASSERT_TRUE(ldd.waitForFinished(20000));
    const QString needed = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    ASSERT_TRUE(needed.contains(QLatin1String("libQt6Widgets"))) << needed.toStdString();
    EXPECT_FALSE(needed.contains(QLatin1String("libcups"))) << needed.toStdString();
    EXPECT_FALSE(needed.contains(QLatin1String("libzip"))) << needed.toStdString();
}
