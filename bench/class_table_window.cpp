// The whole program on a folder with the competence table open, to measure its peak memory and
// to take the README's picture of the window.
//
//   class_table_window --make-folder <dir>   writes 999 pupils with every detail into <dir>
//   class_table_window <dir>                 peak memory with the table open on all of them
//   class_table_window <dir> --no-table      the same with the main window alone
//   class_table_window --picture <file.png>  a class of sample pupils, the window grabbed
//   class_table_window --picture-validate <file.png>
//                                            the same with a competence's column selected and
//                                            the dialog of "Valider…" over it
//
// The folder is written by a process of its own, so that what writing it costs is not counted.
#include "app/class_table_window.h"
#include "app/class_table_validate_dialog.h"
#include "app/kalidor_program.h"
#include "platform/qt_platform.h"
#include "records/record_file.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

using namespace kalidor;

namespace {

// The kernel's peak resident size of this process, in MiB.
double peakMiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return 0;
}

struct Sample {
    const char* nom;
    const char* prenom;
    int validatedUpTo; // the école slots 1..n are validated, some skipped below
};

// A class of CM2 and a few pupils of other classes, with dates, teachers and disciplines.
void writeSampleClass(const QString& prefix) {
    static constexpr Sample kPupils[] = {
        {"BERNARD", "Léa", 22},   {"DUBOIS", "Hugo", 19},  {"FOURNIER", "Chloé", 14},
        {"GARNIER", "Lucas", 21}, {"LAMBERT", "Inès", 9},  {"LEROY", "Nathan", 18},
        {"MARTIN", "Emma", 22},   {"MOREAU", "Jules", 17}, {"PETIT", "Manon", 20},
        {"ROUX", "Louis", 12},    {"SIMON", "Jade", 22},   {"THOMAS", "Gabriel", 16},
    };
    SharedState state;
    state.prefix = prefix;
    int number = 0;
    for (const Sample& sample : kPupils) {
        initNewRecord(state.current);
        state.current.setNom(QString::fromUtf8(sample.nom));
        state.current.setPrenom(QString::fromUtf8(sample.prenom));
        state.current.setClasse(QStringLiteral("CM2"));
        for (int slot = 1; slot <= sample.validatedUpTo; ++slot) {
            // Domain 5 comes last in the year.
            const bool skipped = (number % 3 == 1 && slot >= 19) || (number % 4 == 2 && slot == 7);
            state.current.setValide(slot, !skipped);
            state.current.setDate(
                slot, QStringLiteral("%1/03/2026").arg(2 + slot % 27, 2, 10, QLatin1Char('0')));
            state.current.setProfesseur(slot, QStringLiteral("DURAND"));
            state.current.setDiscipline(slot, slot < 9 ? QStringLiteral("Sciences")
                                                       : QString::fromUtf8("Français"));
        }
        writeRecordFile(recordFileName(state, QString::number(++number)), state.current);
    }
    for (const char* other : {"CM1", "CE2"}) {
        initNewRecord(state.current);
        state.current.setNom(QStringLiteral("ANDRE"));
        state.current.setPrenom(QStringLiteral("Paul"));
        state.current.setClasse(QLatin1String(other));
        writeRecordFile(recordFileName(state, QString::number(++number)), state.current);
    }
}

// 999 pupils whose every école competence, and for a third of them every collège one, is
// validated with its date, teacher and discipline: all the details the table keeps.
void writeFullFolder(const QString& prefix) {
    SharedState state;
    state.prefix = prefix;
    for (int n = 1; n <= kMaxRecordNumber; ++n) {
        initNewRecord(state.current);
        state.current.setNom(QStringLiteral("NOMDEFAMILLE%1").arg(n));
        state.current.setPrenom(QString::fromUtf8("Prénom%1").arg(n));
        state.current.setClasse(QStringLiteral("6%1").arg(QChar(u'A' + n % 5)));
        const int last = n % 3 == 0 ? kSlotCount : 22;
        for (int slot = 1; slot <= last; ++slot) {
            state.current.setValide(slot, true);
            state.current.setDate(slot, QStringLiteral("12/03/2009"));
            state.current.setProfesseur(slot, QStringLiteral("DUPONT"));
            state.current.setDiscipline(slot, QStringLiteral("Technologie"));
        }
        writeRecordFile(recordFileName(state, QString::number(n)), state.current,
                        FolderFlush::Later);
    }
}

// The table with the column of competence 7 selected from the keyboard, as a teacher does, and
// the validation dialog filled in over it.
QPixmap validatePicture(ClassTableWindow& table) {
    table.Grid1->setFocus();
    table.Grid1->setCurrentIndex(table.model().index(0, 7));
    QKeyEvent column(QEvent::KeyPress, Qt::Key_Space, Qt::ControlModifier);
    QApplication::sendEvent(table.Grid1, &column);
    ValidationDialog dialog(validationPlan(table.model().batchPupils(
                                table.Grid1->selectionModel()->selectedIndexes(), true)),
                            &table);
    dialog.Editprof->setText(QStringLiteral("DURAND"));
    dialog.Editdisci->setText(QStringLiteral("Sciences"));
    dialog.show();
    dialog.adjustSize();
    QPixmap shot = table.grab();
    const QPixmap over = dialog.grab();
    QPainter painter(&shot);
    const QPoint at((shot.width() - over.width()) / 2, (shot.height() - over.height()) / 2);
    painter.drawPixmap(at, over);
    painter.setPen(Qt::black);
    painter.drawRect(QRect(at, over.size()).adjusted(-1, -1, 0, 0));
    return shot;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.value(1) == QLatin1String("--make-folder")) {
        writeFullFolder(arguments.value(2) + QLatin1Char('/'));
        return 0;
    }
    const bool validate = arguments.value(1) == QLatin1String("--picture-validate");
    const bool picture = validate || arguments.value(1) == QLatin1String("--picture");
    const bool withTable = !arguments.contains(QStringLiteral("--no-table"));
    QTemporaryDir sample;
    QString prefix = arguments.value(1) + QLatin1Char('/');
    if (picture) {
        prefix = sample.path() + QLatin1Char('/');
        writeSampleClass(prefix);
    }

    QtPlatform platform;
    KalidorProgram program(platform, prefix);
    program.F_une->show();
    if (picture) {
        program.F_une->ListBox1->setCurrentRow(3);
    }
    int code = 0;
    // Once the table is on screen and drawn: grab it, then close it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* table = qobject_cast<ClassTableWindow*>(QApplication::activeModalWidget());
        if (table == nullptr || !table->isVisible()) {
            return;
        }
        poll.stop();
        table->repaint();
        if (picture) {
            table->Grid1->setCurrentIndex(table->model().index(2, 0));
            table->resize(1100, 420);
            const QPixmap shot = validate ? validatePicture(*table) : table->grab();
            code = shot.save(arguments.value(2)) ? 0 : 1;
        }
        table->reject();
    });
    // Once the main window is drawn.
    QTimer::singleShot(0, [&] {
        program.F_une->repaint();
        if (withTable) {
            poll.start(10);
            program.F_une->Tableaudescomptencesparclasse1Click();
        }
        if (!picture) {
            std::printf("peak memory: %.1f MiB (%s)\n", peakMiB(),
                        withTable ? "table open on every pupil" : "main window only");
        }
        QApplication::quit();
    });
    application.exec();
    return code;
}
