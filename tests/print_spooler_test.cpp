// The real printer against a real print spooler: a private cupsd on loopback, with its own
// configuration, folders and port, started by the test and stopped after it even when it fails.
// CUPS_SERVER points this process and the CUPS commands at it, never at the machine's spooler.

#include "platform/platform_texts.h"
#include "platform/print_spooler.h"
#include "platform/qt_printer.h"
#include "records/io_error.h"
#include "records/utf8.h"
#include "tests/support/modal.h"
#include "tests/support/test_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kalidor {
namespace {

const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");

int freeLoopbackPort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    close(s);
    return ntohs(address.sin_port);
}

class PrivateSpooler {
public:
    PrivateSpooler() {
        const QString root = folder_.prefix();
        const QByteArray port = QByteArray::number(freeLoopbackPort());
        folder_.writeBytes("cupsd.conf", "Listen 127.0.0.1:" + port +
                                             "\nBrowsing No\nWebInterface No\n"
                                             "<Location />\nOrder allow,deny\nAllow all\n"
                                             "</Location>\n<Policy default>\n<Limit All>\n"
                                             "Order deny,allow\n</Limit>\n</Policy>\n");
        QString files = "ServerBin /usr/lib/cups\nFileDevice Yes\nServerRoot " + root + '\n';
        for (const QString folder : {"StateDir", "CacheDir", "RequestRoot", "TempDir"}) {
            QDir(root).mkdir(folder);
            files += folder + ' ' + root + folder + '\n';
        }
        for (const QString log : {"ErrorLog", "AccessLog", "PageLog"}) {
            files += log + ' ' + root + "log\n";
        }
        folder_.writeBytes("cups-files.conf", files.toUtf8());
        qputenv("CUPS_SERVER", "127.0.0.1:" + port);
        // The spooler goes with this process even when the test dies.
        cupsd_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        cupsd_.start(kCupsd, {"-f", "-c", root + "cupsd.conf", "-s", root + "cups-files.conf"});
        for (int tries = 0; tries < 100 && !(run("lpstat", {"-r"}) && output_ == kRunning);
             ++tries) {
            QThread::msleep(100);
        }
    }
    ~PrivateSpooler() {
        resume();
        cupsd_.kill();
        cupsd_.waitForFinished();
    }

    // The spooler stopped still takes connections, and answers nothing until it resumes.
    void stop() { ::kill(static_cast<pid_t>(cupsd_.processId()), SIGSTOP); }
    void resume() { ::kill(static_cast<pid_t>(cupsd_.processId()), SIGCONT); }

    // A queue with a PDF printer's driver, its device never reached in these tests.
    void addQueue(const QString& name) {
        ASSERT_TRUE(run("lpadmin", {"-p", name, "-E", "-v", "file:///dev/null", "-P",
                                    "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"}));
    }
    // A CUPS command; true when it succeeded, its output kept.
    bool run(const QString& command, const QStringList& arguments) {
        QProcess process;
        process.start(command, arguments);
        const bool done = process.waitForFinished() && process.exitCode() == 0;
        output_ = process.readAllStandardOutput();
        return done;
    }
    // The documents waiting in a queue.
    int jobs(const QString& queue) {
        return run("lpstat", {"-o", queue}) ? static_cast<int>(output_.count('\n')) : -1;
    }

private:
    static constexpr char kRunning[] = "scheduler is running\n";
    test::TestFolder folder_;
    QProcess cupsd_;
    QByteArray output_;
};

class QueuePrinter : public QtPrinter {
public:
    explicit QueuePrinter(const QString& queue) { qprinter().setPrinterName(queue); }
};

void acceptDialog(QtPrinter& printer) {
    test::driveModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); },
                     [&] { EXPECT_TRUE(printer.executePrintDialog(nullptr)); });
}

// The message of the IoError `step` throws, empty when none.
QString failureOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const IoError& failure) {
        return failure.message();
    }
    return {};
}

TEST(PrintSpooler, ARefusingQueueGetsNothingAndIsNamedWhileAPausedOneKeepsTheDocument) {
    if (!QFile::exists(kCupsd)) {
        GTEST_SKIP() << "cupsd is not installed (Debian package cups): no spooler to print to";
    }
    PrivateSpooler spooler;
    spooler.addQueue("refusing");
    spooler.addQueue("paused");
    ASSERT_TRUE(spooler.run("cupsreject", {"refusing"}));
    ASSERT_TRUE(spooler.run("cupsdisable", {"paused"}));
    const QString refuses = tr8(platform_texts::kPrinterRefusesJobs);

    QueuePrinter refusing(QStringLiteral("refusing"));
    EXPECT_EQ(failureOf([&] { acceptDialog(refusing); }), refuses.arg("refusing"));

    QueuePrinter paused(QStringLiteral("paused"));
    const auto startDocument = [&] {
        acceptDialog(paused);
        ASSERT_TRUE(paused.beginDoc());
        paused.textOut(100, 100, QStringLiteral("Attestation"));
    };
    startDocument();
    EXPECT_EQ(failureOf([&] { paused.endDoc(); }), QString());
    EXPECT_EQ(spooler.jobs("paused"), 1);
    // A dropped document does not stay in the queue.
    startDocument();
    paused.abort();
    EXPECT_EQ(spooler.jobs("paused"), 1);
    // The queue stops taking jobs once the dialog is closed: the hand-over fails.
    startDocument();
    ASSERT_TRUE(spooler.run("cupsreject", {"paused"}));
    EXPECT_EQ(failureOf([&] { paused.endDoc(); }), refuses.arg("paused"));
    EXPECT_EQ(spooler.jobs("paused"), 1);
}

// The spooler's answers, asked with a time-out: a spooler that stops answering is said to be
// silent within a few seconds, and once it answers again the queue is asked as before. A queue
// the spooler does not know is named with the spooler's own words.
TEST(PrintSpooler, AStoppedSpoolerIsSilentWithinSecondsAndAnsweredOnceItResumes) {
    if (!QFile::exists(kCupsd)) {
        GTEST_SKIP() << "cupsd is not installed (Debian package cups): no spooler to ask";
    }
    const CupsLibrary* cups = cupsLibrary();
    ASSERT_NE(cups, nullptr);
    PrivateSpooler spooler;
    spooler.addQueue("open");
    EXPECT_TRUE(spoolerAnswers(*cups));
    EXPECT_EQ(askQueue(*cups, "open").state, QueueAnswer::Accepts);
    const QueueAnswer unknown = askQueue(*cups, "nowhere");
    EXPECT_EQ(unknown.state, QueueAnswer::Unknown);
    EXPECT_FALSE(unknown.why.isEmpty());

    spooler.stop();
    EXPECT_FALSE(spoolerAnswers(*cups));
    EXPECT_EQ(askQueue(*cups, "open").state, QueueAnswer::Silent);
    spooler.resume();
    EXPECT_TRUE(spoolerAnswers(*cups));
    EXPECT_EQ(askQueue(*cups, "open").state, QueueAnswer::Accepts);
}

// A loopback port that takes connections and never answers stands for the spooler: the print
// dialog is not shown, the failure says so within a few seconds, and nothing starts.
TEST(PrintSpooler, AServerThatNeverAnswersIsNamedBeforeTheDialog) {
    const int silent = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), size), 0);
    ASSERT_EQ(listen(silent, 16), 0);
    getsockname(silent, reinterpret_cast<sockaddr*>(&address), &size);
    const QByteArray server = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(ntohs(address.sin_port)));
    QtPrinter printer;
    bool dialogShown = false;
    QString failure;
    test::driveModal([&](QWidget*) { dialogShown = true; },
                     [&] { failure = failureOf([&] { printer.executePrintDialog(nullptr); }); });
    EXPECT_EQ(failure, tr8(platform_texts::kPrintServerNotAnswering));
    EXPECT_FALSE(dialogShown);
    EXPECT_FALSE(printer.printing());
    qputenv("CUPS_SERVER", server);
    close(silent);
}

} // namespace
} // namespace kalidor
