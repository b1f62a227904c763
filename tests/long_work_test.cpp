// Long work: the folder read by many readers at once, a batch stopped between two pupils, and
// the progress window of a long import while the main window goes on painting.

#include "app/kalidor_program.h"
#include "commands/pupil_folder.h"
#include "records/reading_pool.h"
#include "records/record_file.h"
#include "tests/support/program_test.h"

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace kalidor;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

struct Listing {
    QStringList visited; // "number name", in the order handed out
    QString failures;
};

Listing listFolder(const QString& prefix) {
    Listing listing;
    listing.failures =
        describeFailures(enumerateRecords(prefix, [&](const QString& number, const TFiche& record) {
            listing.visited.append(number + QLatin1Char(' ') + record.nom());
        }));
    return listing;
}

} // namespace

// Read by sixteen readers, a folder of pupils and odd entries lists what one reader lists, in
// the same order, with the same entries reported.
TEST(LongWork, ManyReadersHandTheRecordsOutInTheFoldersOrder) {
    test::TestFolder folder;
    for (int number = 1; number <= 60; ++number) {
        folder.writePupil(number, QStringLiteral("N%1").arg(number), {}, {});
    }
    folder.writeBytes(QStringLiteral("12.b2i"), QByteArray(100, 'x'));
    folder.writeRecord(QStringLiteral("abc.b2i"), test::makeRecord(QStringLiteral("ABC"), {}, {}));
    ASSERT_TRUE(QDir().mkdir(folder.path(QStringLiteral("65.b2i"))));
    ASSERT_TRUE(
        QFile::link(folder.path(QStringLiteral("gone")), folder.path(QStringLiteral("70.b2i"))));
    Listing one, many;
    {
        const ScopedReaders readers(1);
        one = listFolder(folder.prefix());
    }
    {
        const ScopedReaders readers(kMostReadsInFlight);
        many = listFolder(folder.prefix());
    }
    EXPECT_EQ(one.visited.size(), 60);
    EXPECT_EQ(many.visited, one.visited);
    EXPECT_EQ(many.failures, one.failures);
    EXPECT_EQ(one.failures.count(QLatin1Char('\n')), 1);

    // A listing stopped half-way by what it hands out leaves nothing running.
    const ScopedReaders readers(kMostReadsInFlight);
    int handed = 0;
    EXPECT_THROW(enumerateRecords(folder.prefix(),
                                  [&](const QString&, const TFiche&) {
                                      if (++handed == 10) {
                                          throw std::runtime_error("stop");
                                      }
                                  }),
                 std::runtime_error);
    EXPECT_EQ(listFolder(folder.prefix()).visited, one.visited);
}

TEST(LongWork, AStoppedImportKeepsThePupilsCreatedAndSaysHowMany) {
    test::TestFolder folder;
    folder.writeBytes(QStringLiteral("6A.txt"), "UN;A\nDEUX;B\nTROIS;C\nQUATRE;D\nCINQ;E\n");
    SharedState state = folder.state();
    QStringList steps;
    int asked = 0;
    const BatchResult result = PupilFolder(state).importClass(
        folder.path(QStringLiteral("6A.txt")),
        {{},
         [&](int done, int total) { steps.append(QStringLiteral("%1/%2").arg(done).arg(total)); },
         [&] { return ++asked > 3; },
         {}});
    EXPECT_EQ(result.created, 3);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.messages, QStringList(u8("L'opération a été annulée après 3 élèves créés.")));
    EXPECT_EQ(steps,
              QStringList({QStringLiteral("1/5"), QStringLiteral("2/5"), QStringLiteral("3/5")}));
    EXPECT_EQ(folder.entries(), QStringList({QStringLiteral("1.b2i"), QStringLiteral("2.b2i"),
                                             QStringLiteral("3.b2i"), QStringLiteral("6A.txt")}));
}

namespace {

// Counts the paintings of a window.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

class LongWorkWindow : public test::ProgramTest {};

} // namespace

TEST_F(LongWorkWindow, ALongImportShowsItsProgressAndTheListGoesOnPainting) {
    QByteArray lines;
    for (int i = 1; i <= 40; ++i) {
        lines += "NOM" + QByteArray::number(i) + ";P\n";
    }
    folder.writeBytes(QStringLiteral("6A.txt"), lines);
    startProgram();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    QTest::qWait(20);
    PaintCounter counter;
    window().ListBox1->viewport()->installEventFilter(&counter);
    platform.progressDelay = std::chrono::milliseconds(0);
    platform.fileAnswers = {folder.path(QStringLiteral("6A.txt"))};
    window().Importerclasseenmodetexte1Click();
    // Painted while the import ran: nothing else let events through since it was asked for.
    EXPECT_GT(counter.paints, 0);
    EXPECT_EQ(platform.progressWindowsShown, 1);
    EXPECT_EQ(platform.progressSteps.last(), QStringLiteral("40/40"));
    EXPECT_EQ(window().ListBox1->count(), 40);
    EXPECT_EQ(window().findChild<QProgressDialog*>(), nullptr);
}
