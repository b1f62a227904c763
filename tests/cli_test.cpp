// kalidor-cli run as a user runs it, on real folders, without a display.

#include "records/class_table.h"
#include "support/test_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace kalidor {
namespace {

using test::TestFolder;

struct CliRun {
    int status = -1; // -1 when the program did not end by itself
    QString out;
    QString err;
};

CliRun runCli(const QStringList& arguments, const std::function<void()>& inChild = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        environment.remove(QLatin1String(name));
    }
    process.setProcessEnvironment(environment);
    if (inChild) {
        process.setChildProcessModifier(inChild);
    }
    process.start(QStringLiteral(KALIDOR_CLI), arguments);
    CliRun run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString lines(const QStringList& each) {
    return each.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// A temporary that a killed save left an hour ago: the program's opening would remove it.
void writeOldLeftover(const TestFolder& folder, const QString& name) {
    folder.writeBytes(name, QByteArray("partial"));
    QFile file(folder.path(name));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
}

TEST(Cli, ListeShowsAViewInTheWindowsOrderAndNamesUnreadableFiles) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("MARTIN"), QStringLiteral("Léa"), QStringLiteral("CM2"));
    folder.writePupil(2, QStringLiteral("dupont"), QStringLiteral("Émile"), QStringLiteral("CM1"));
    folder.writePupil(
        3, QStringLiteral("DUPONT"), QStringLiteral("anne"), QStringLiteral("CM2"),
        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22});
    folder.writePupil(4, QStringLiteral("EVRARD"), QStringLiteral("Paul"), QStringLiteral("CM1"));
    folder.writePupil(5, QStringLiteral("ÉTIENNE"), QStringLiteral("Zoé"), QStringLiteral("CM2"));
    folder.writeBytes(QStringLiteral("6.b2i"), QByteArray("court"));
    const QString leftover = QStringLiteral(".7.b2i.kalidor-tmp-abc123");
    writeOldLeftover(folder, leftover);

    const struct {
        QStringList options;
        QStringList out;
    } cases[] = {
        {{},
         {"DUPONT anne CM2 - n° 3", "dupont Émile CM1 - n° 2", "ÉTIENNE Zoé CM2 - n° 5",
          "EVRARD Paul CM1 - n° 4", "MARTIN Léa CM2 - n° 1", "5 élèves au total"}},
        {{"--vue", "classes"},
         {"CM1 : dupont Émile - n° 2", "CM1 : EVRARD Paul - n° 4", "CM2 : DUPONT anne - n° 3",
          "CM2 : ÉTIENNE Zoé - n° 5", "CM2 : MARTIN Léa - n° 1", "5 élèves au total"}},
        {{"--vue", "ecole"}, {"DUPONT anne CM2 - n° 3", "1 élève de niveau école"}},
        {{"--vue=sans-ecole"},
         {"dupont Émile CM1 - n° 2", "ÉTIENNE Zoé CM2 - n° 5", "EVRARD Paul CM1 - n° 4",
          "MARTIN Léa CM2 - n° 1", "4 élèves qui n'ont pas le niveau école"}},
    };
    for (const auto& each : cases) {
        const CliRun run = runCli(QStringList{folder.prefix(), "liste"} + each.options);
        EXPECT_EQ(run.status, 1) << each.options.join(' ').toStdString();
        EXPECT_EQ(run.out, lines(each.out));
        EXPECT_EQ(run.err, lines({"6.b2i : Lecture au-delà de la fin de fichier"}));
    }
    EXPECT_TRUE(folder.entries().contains(leftover));

    QFile::remove(folder.path(QStringLiteral("6.b2i")));
    const CliRun clean = runCli({folder.prefix(), "liste", "--vue", "college"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, lines({"0 élève de niveau collège"}));
    EXPECT_EQ(clean.err, QString());
}

TEST(Cli, ImporterClasseCreatesTheClassOrSaysWhyNot) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("PREMIER"), QStringLiteral("Jo"), QStringLiteral("CM1"));
    TestFolder files;
    files.writeBytes(QStringLiteral("CM2.txt"), QByteArray("MARTIN;L\xC3\xA9"
                                                           "a\r\nDURAND;Paul\r\n"));
    files.writeBytes(QStringLiteral("logo.jpg"), QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF", 10));

    const CliRun run = runCli({folder.prefix(), "importer-classe", files.path("CM2.txt")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              lines({"MARTIN Léa CM2 - n° 2", "DURAND Paul CM2 - n° 3", "2 élèves créés"}));
    EXPECT_EQ(run.err, QString());
    const QStringList imported{"1.b2i", "2.b2i", "3.b2i"};
    EXPECT_EQ(folder.entries(), imported);

    const CliRun picture = runCli({folder.prefix(), "importer-classe", files.path("logo.jpg")});
    EXPECT_EQ(picture.status, 1);
    EXPECT_EQ(picture.out, lines({"0 élève créé"}));
    EXPECT_TRUE(picture.err.startsWith("Ce fichier n'est pas un fichier texte"))
        << picture.err.toStdString();

    // Writes fail as on a full disk.
    const CliRun full = runCli({folder.prefix(), "importer-classe", files.path("CM2.txt")}, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.out, QString());
    EXPECT_TRUE(full.err.startsWith("Disque plein")) << full.err.toStdString();
    EXPECT_EQ(folder.entries(), imported);
}

TEST(Cli, TableauPrintsTheClassOrWritesTheWindowsSpreadsheetFile) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("MARTIN"), QStringLiteral("Léa"), QStringLiteral("6A"),
                      {1, 2});
    // A tab typed into a name stays within its cell.
    folder.writePupil(2, QStringLiteral("BERNARD"), QStringLiteral("Tom\tTim"),
                      QStringLiteral("6A"), {1, 23});
    folder.writePupil(3, QStringLiteral("SEUL"), QStringLiteral("Sam"), QString());
    folder.writePupil(4, QStringLiteral("AUTRE"), QStringLiteral("Ana"), QStringLiteral("5B"));

    const CliRun run = runCli({folder.prefix(), "tableau", "--classe", "6A", "--niveau", "ecole"});
    EXPECT_EQ(run.status, 0);
    QStringList rows = run.out.split('\n');
    ASSERT_EQ(rows.takeLast(), QString());
    ASSERT_EQ(rows.size(), 4);
    QList<QStringList> cells;
    for (const QString& row : rows) {
        cells.append(row.split('\t'));
        EXPECT_EQ(cells.last().size(), 4 + 22 + 3) << row.toStdString();
    }
    EXPECT_EQ(cells[0].mid(0, 5), QStringList({"Nom", "Prénom", "Classe", "Numéro", "C1"}));
    EXPECT_EQ(cells[1].mid(0, 6), QStringList({"BERNARD", "Tom Tim", "6A", "2", "✓", ""}));
    EXPECT_EQ(cells[1].mid(26, 2), QStringList({"1/22", "non acquis"}));
    EXPECT_EQ(cells[2].mid(0, 6), QStringList({"MARTIN", "Léa", "6A", "1", "✓", "✓"}));
    EXPECT_EQ(cells[3].mid(0, 7), QStringList({"Validée par", "", "", "", "2", "1", "0"}));
    EXPECT_EQ(cells[3][27], "0/2");

    for (const char* noClass : {"", "(sans classe)"}) {
        const CliRun alone =
            runCli({folder.prefix(), "tableau", "--niveau", "college", "--classe", noClass});
        EXPECT_EQ(alone.status, 0);
        EXPECT_EQ(alone.out.count('\n'), 3);
        EXPECT_TRUE(alone.out.contains("\nSEUL\tSam\t\t3\t")) << alone.out.toStdString();
    }

    const QString csv = folder.path("6A.csv");
    folder.writeBytes("6A.csv", "previous");
    const CliRun written =
        runCli({folder.prefix(), "tableau", "--classe", "6A", "--niveau", "college", "--csv", csv});
    EXPECT_EQ(written.status, 0);
    EXPECT_EQ(written.out + written.err, QString());
    const TablePupils pupils = readTablePupils(folder.prefix());
    EXPECT_EQ(folder.readBytes("6A.csv"),
              tableCsv(buildClassTable(pupils.pupils, kLevelCollege, QStringLiteral("6A")),
                       pupils.pupils));

    const CliRun unknown = runCli({folder.prefix(), "tableau", "--classe", "6B", "--niveau",
                                   "ecole", "--csv", folder.path("6B.csv")});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_EQ(unknown.out, QString());
    EXPECT_TRUE(unknown.err.contains("« 6B »")) << unknown.err.toStdString();
    EXPECT_TRUE(unknown.err.contains("(sans classe), 5B, 6A")) << unknown.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.path("6B.csv")));
}

TEST(Cli, VerifierListsWhatIsNotAReadablePupilAndChangesNothing) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("MARTIN"), QStringLiteral("Léa"), QStringLiteral("CM2"));
    const CliRun clean = runCli({folder.prefix(), "verifier"});
    EXPECT_EQ(clean.status, 0);
    EXPECT_EQ(clean.out, lines({"Le dossier ne contient que des fiches d'élèves lisibles."}));

    folder.writeBytes(QStringLiteral("2.b2i"), QByteArray("court"));
    const CliRun one = runCli({folder.prefix(), "verifier"});
    EXPECT_EQ(one.status, 1);
    EXPECT_EQ(one.err, lines({"1 entrée du dossier n'est pas une fiche d'élève lisible."}));
    ASSERT_TRUE(QDir(folder.prefix()).mkdir(QStringLiteral("3.b2i")));
    folder.writePupil(4, QStringLiteral("COPIE"), QStringLiteral("Jo"), QStringLiteral("CM2"));
    ASSERT_TRUE(QFile::rename(folder.path("4.b2i"), folder.path("copie 4.b2i")));
    writeOldLeftover(folder, QStringLiteral(".5.b2i.kalidor-tmp-abc123"));
    const QStringList entries = folder.entries();

    const CliRun run = runCli({folder.prefix(), "verifier"});
    EXPECT_EQ(run.status, 1);
    QStringList found = run.out.split('\n');
    ASSERT_EQ(found.takeLast(), QString());
    ASSERT_EQ(found.size(), 4) << run.out.toStdString();
    const char* names[] = {
        ".5.b2i.kalidor-tmp-abc123 : ", "2.b2i : ", "3.b2i : ", "copie 4.b2i : "};
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(found[i].startsWith(names[i])) << found[i].toStdString();
    }
    EXPECT_EQ(run.err, lines({"4 entrées du dossier ne sont pas des fiches d'élèves lisibles."}));
    EXPECT_EQ(folder.entries(), entries);
}

// Every file of the folder with its bytes: what "nothing written" is checked against.
QMap<QString, QByteArray> folderBytes(const TestFolder& folder) {
    QMap<QString, QByteArray> bytes;
    for (const QString& name : folder.entries()) {
        bytes.insert(name, folder.readBytes(name));
    }
    return bytes;
}

TEST(Cli, ImporterAnnuaireSimulatesThenImportsAndChangesNothingTheSecondTime) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("MARTIN"), QStringLiteral("Léa"), QStringLiteral("6A"));
    TestFolder files;
    files.writeBytes(QStringLiteral("CSVExtraction.csv"),
                     QByteArray("Libell\xE9 classe;Nom \xE9l\xE8ve;Pr\xE9nom \xE9l\xE8ve;"
                                "Date naissance;Niveau\r\n"
                                "5A;MARTIN;L\xE9"
                                "a;;CM2\r\n"
                                "5B;NEUF;Ida;03/04/2012;CM2\r\n"
                                "Inactifs;PARTI;Jo;;CM2\r\n"));
    const QString csv = files.path(QStringLiteral("CSVExtraction.csv"));
    const QStringList preview{
        "Classes du fichier :",
        "  5A → 5A — élèves : 1 ; nouveaux : 0 ; changent de classe : 1 ; inchangés : 0 ; à "
        "vérifier : 0",
        "  5B → 5B — élèves : 1 ; nouveaux : 1 ; changent de classe : 0 ; inchangés : 0 ; à "
        "vérifier : 0",
        "Élèves ignorés :", "  PARTI Jo (Inactifs) : classe « Inactifs »"};
    const QMap<QString, QByteArray> before = folderBytes(folder);

    const CliRun simulated = runCli({folder.prefix(), "importer-annuaire", csv, "--simuler"});
    EXPECT_EQ(simulated.status, 0);
    EXPECT_EQ(simulated.out, lines(preview));
    EXPECT_EQ(folderBytes(folder), before);

    const CliRun imported = runCli({folder.prefix(), "importer-annuaire", csv});
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out,
              lines(preview + QStringList{"MARTIN Léa 5A - n° 1", "NEUF Ida 5B - n° 2",
                                          "Importation depuis l'annuaire terminée.",
                                          "Élèves créés : 1", "Changés de classe : 1",
                                          "Inchangés : 0", "Ignorés : 1", "À vérifier : 0"}));
    const QMap<QString, QByteArray> after = folderBytes(folder);
    EXPECT_EQ(after.keys(), QStringList({"1.b2i", "2.b2i"}));

    const CliRun again = runCli({folder.prefix(), "importer-annuaire", csv});
    EXPECT_EQ(again.status, 0);
    EXPECT_TRUE(again.out.contains("Inchangés : 2")) << again.out.toStdString();
    EXPECT_EQ(folderBytes(folder), after);

    const CliRun notExport =
        runCli({folder.prefix(), "importer-annuaire", folder.path(QStringLiteral("1.b2i"))});
    EXPECT_EQ(notExport.status, 1);
    EXPECT_TRUE(notExport.err.startsWith("Ce fichier n'est pas une exportation des élèves"))
        << notExport.err.toStdString();
    EXPECT_EQ(folderBytes(folder), after);
}

TEST(Cli, AWrongCallGetsTheUsageAndStatus2) {
    TestFolder folder;
    const QString dir = folder.prefix();
    const struct {
        QStringList arguments;
        const char* reason;
    } cases[] = {
        {{}, "il manque le dossier"},
        {{dir}, "il manque la commande"},
        {{dir, "lister"}, "commande inconnue : lister"},
        {{dir, "liste", "--tri"}, "option inconnue pour liste : --tri"},
        {{dir, "verifier", "--vue=tous"}, "option inconnue pour verifier : --vue"},
        {{dir, "liste", "--vue"}, "il manque la valeur de l'option --vue"},
        {{dir, "liste", "--vue", "tout"}, "valeur incorrecte pour l'option --vue : tout"},
        {{dir, "liste", "tous"}, "argument en trop : tous"},
        {{dir, "importer-classe"}, "il manque le fichier de la classe"},
        {{dir, "importer-classe", "a.txt", "b.txt"}, "argument en trop : b.txt"},
        {{dir, "importer-annuaire", "--simuler"}, "il manque le fichier de l'annuaire"},
        {{dir, "tableau", "--niveau", "ecole"}, "demande l'option --classe"},
        {{dir, "tableau", "--classe", "6A"}, "demande l'option --niveau"},
        {{dir, "tableau", "--classe", "6A", "--niveau", "6e"}, "pour l'option --niveau : 6e"},
        {{dir + "absent", "liste"}, "n'existe pas"},
    };
    for (const auto& each : cases) {
        const CliRun run = runCli(each.arguments);
        EXPECT_EQ(run.status, 2) << each.reason;
        EXPECT_EQ(run.out, QString()) << each.reason;
        EXPECT_TRUE(run.err.contains(each.reason)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("Utilisation : kalidor-cli")) << run.err.toStdString();
    }
    const CliRun help = runCli({dir + "absent", "tableau", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Utilisation : kalidor-cli")) << help.out.toStdString();
    EXPECT_EQ(help.err, QString());
}

} // namespace
} // namespace kalidor
