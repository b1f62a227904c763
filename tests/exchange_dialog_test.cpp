// The transfer dialog and the class import command, on real windows and real folders.

#include "app/kalidor_program.h"
#include "exchange/transfer_dialog.h"
#include "platform/qt_platform.h"
#include "platform/scripted_platform.h"
#include "records/list_lines.h"
#include "tests/support/child_process.h"
#include "tests/support/modal.h"
#include "tests/support/test_folder.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define KALIDOR_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KALIDOR_ADDRESS_SANITIZER 1
#endif
#endif

using namespace kalidor;
using kalidor::test::makeRecord;
using kalidor::test::recordBytes;
using kalidor::test::runInChild;
using kalidor::test::TestFolder;

namespace {

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// Bytes of a literal, NUL bytes included.
template <size_t N> QByteArray bytesOf(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

// The program on a data folder, its dialogs answered from a script.
struct Program {
    explicit Program(const TestFolder& folder) : program(platform, folder.prefix()) {}
    TF_trans& trans() { return *program.windows.F_trans; }
    TF_une& main() { return *program.F_une; }

    ScriptedPlatform platform;
    KalidorProgram program;
};

// A record with competences, reserved bytes and bytes past the text lengths all set, so that
// an import that does not copy it unchanged shows.
TFiche fullRecord(const QString& nom, const QString& prenom, const QString& classe, int seed) {
    TFiche record = makeRecord(nom, prenom, classe, {1, 5, 30});
    record.setDate(5, QStringLiteral("12/03/2011"));
    record.setProfesseur(30, u8("Mme Lefèvre"));
    record.bytes()[TFiche::kSize - 1] = static_cast<char>(seed);
    record.bytes()[200] = static_cast<char>(seed + 1); // inside a reserved field
    return record;
}

void selectRows(SortedListBox* list, std::initializer_list<int> rows) {
    list->selectionModel()->clear();
    for (const int row : rows) {
        list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                                QItemSelectionModel::Select);
    }
}

struct Buttons {
    bool add, back, create, open, ok;
    bool operator==(const Buttons&) const = default;
};

Buttons buttons(const TF_trans& dialog) {
    return {dialog.SpeedButton1->isEnabled(), dialog.SpeedButton2->isEnabled(),
            dialog.SpeedButton3->isEnabled(), dialog.SpeedButton4->isEnabled(),
            dialog.BitBtn2->isEnabled()};
}

constexpr Buttons kInitial{true, false, false, true, false};
constexpr Buttons kBuilding{true, false, true, false, false};
constexpr Buttons kImporting{false, true, false, true, true};

// Text as UTF-16 with its byte-order mark, as a spreadsheet saves "Unicode text".
QByteArray utf16(const QString& text, bool littleEndian) {
    QByteArray bytes = littleEndian ? QByteArray("\xff\xfe") : QByteArray("\xfe\xff");
    for (const QChar ch : text) {
        const char low = static_cast<char>(ch.unicode() & 0xFF);
        const char high = static_cast<char>(ch.unicode() >> 8);
        bytes.append(littleEndian ? low : high);
        bytes.append(littleEndian ? high : low);
    }
    return bytes;
}

// The main list's lines without their numbers.
QStringList withoutNumbers(const QStringList& lines) {
    QStringList names;
    for (const QString& line : lines) {
        names.append(line.left(line.lastIndexOf(u8(" - n° "))));
    }
    return names;
}

void writePupils(const TestFolder& folder) {
    folder.writeRecord(QStringLiteral("1.b2i"),
                       fullRecord(QStringLiteral("MARTIN"), u8("Léa"), QStringLiteral("CM2"), 1));
    folder.writeRecord(
        QStringLiteral("2.b2i"),
        fullRecord(QStringLiteral("DURAND"), QStringLiteral("Paul"), QStringLiteral("6A"), 2));
    folder.writeRecord(
        QStringLiteral("3.b2i"),
        fullRecord(QStringLiteral("BERNARD"), QStringLiteral("Zoé"), QStringLiteral("5B"), 3));
}

} // namespace

TEST(TransferDialog, HasItsControlsInTheirPlaces) {
    TestFolder folder;
    writePupils(folder);
    Program p(folder);
    TF_trans& d = p.trans();
    EXPECT_EQ(d.objectName(), QStringLiteral("F_trans"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Fichier de transfert"));
    EXPECT_EQ(d.size(), QSize(665, 535));
    EXPECT_EQ(d.font().family(), QStringLiteral("MS Sans Serif"));

    struct Expected {
        QWidget* widget;
        const char* name;
        QPoint place;
    };
    for (const Expected& e :
         {Expected{d.ListBox1, "ListBox1", {8, 8}}, Expected{d.ListBox2, "ListBox2", {360, 8}},
          Expected{d.SpeedButton1, "SpeedButton1", {296, 112}},
          Expected{d.SpeedButton2, "SpeedButton2", {296, 168}},
          Expected{d.Panel1, "Panel1", {120, 360}}, Expected{d.Panel2, "Panel2", {472, 360}},
          Expected{d.BitBtn1, "BitBtn1", {8, 400}}, Expected{d.BitBtn2, "BitBtn2", {176, 400}},
          Expected{d.SpeedButton3, "SpeedButton3", {392, 416}},
          Expected{d.SpeedButton4, "SpeedButton4", {392, 464}}}) {
        EXPECT_EQ(e.widget->objectName(), QLatin1String(e.name));
        EXPECT_EQ(e.widget->pos(), e.place) << e.name;
        EXPECT_EQ(d.findChild<QWidget*>(QLatin1String(e.name)), e.widget);
    }
    EXPECT_EQ(d.ListBox1->size(), QSize(281, 313));
    EXPECT_EQ(d.ListBox2->size(), QSize(281, 313));
    EXPECT_EQ(d.ListBox1->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(d.ListBox2->selectionMode(), QAbstractItemView::ExtendedSelection);

    EXPECT_EQ(d.SpeedButton1->text(), QStringLiteral(">>"));
    EXPECT_EQ(d.SpeedButton2->text(), QStringLiteral("<<"));
    EXPECT_EQ(d.SpeedButton3->text(), u8("Créer fichier de transfert"));
    EXPECT_EQ(d.SpeedButton4->text(), u8("Ouvrir fichier de transfert"));
    EXPECT_EQ(d.BitBtn1->text(), QStringLiteral("Fermer"));
    EXPECT_EQ(d.BitBtn2->text(), QStringLiteral("OK"));
    EXPECT_EQ(d.Label1->text(), u8("Liste complète"));
    EXPECT_EQ(d.Label2->text(), u8("Elèves du fichier de transfert"));
    EXPECT_EQ(d.Label1->buddy(), d.ListBox1);
    EXPECT_EQ(d.Label2->buddy(), d.ListBox2);
    EXPECT_EQ(d.SpeedButton1->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(d.SpeedButton1->font().pointSize(), 14);
    EXPECT_TRUE(d.SpeedButton1->font().bold());
    EXPECT_EQ(d.SpeedButton3->font().pointSize(), 12);
    EXPECT_FALSE(d.SpeedButton3->font().bold());
    EXPECT_EQ(d.Label1->font().pointSize(), 12);
    EXPECT_EQ(d.Label1->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_FALSE(d.Panel1->accessibleDescription().isEmpty());

    d.FormShow();
    EXPECT_EQ(buttons(d), kInitial);
    EXPECT_TRUE(d.BitBtn1->isEnabled());
    EXPECT_EQ(d.ListBox1->lines(),
              (QStringList{u8("BERNARD Zoé 5B - n° 3"), u8("DURAND Paul 6A - n° 2"),
                           u8("MARTIN Léa CM2 - n° 1")}));
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("3"));
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("0"));
}

TEST(TransferDialog, ButtonsFollowTheirThreeStates) {
    TestFolder folder;
    writePupils(folder);
    folder.writeBytes(QStringLiteral("t.b2t"), folder.readBytes(QStringLiteral("1.b2i")));
    Program p(folder);
    TF_trans& d = p.trans();
    d.FormShow();

    // ">>" with no line selected changes nothing but the count.
    d.SpeedButton1Click();
    EXPECT_EQ(buttons(d), kInitial);
    EXPECT_EQ(d.ListBox2->count(), 0);
    selectRows(d.ListBox1, {1});
    d.SpeedButton1Click();
    EXPECT_EQ(buttons(d), kBuilding);
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("1"));

    // Showing again starts over.
    d.FormShow();
    EXPECT_EQ(buttons(d), kInitial);
    EXPECT_EQ(d.ListBox2->count(), 0);

    // A cancelled open changes nothing; an empty name only recounts.
    p.platform.fileAnswers = {std::nullopt, QString()};
    d.SpeedButton4Click();
    d.SpeedButton4Click();
    EXPECT_EQ(buttons(d), kInitial);
    EXPECT_EQ(d.ListBox1->count(), 3);

    p.platform.fileAnswers = {folder.path(QStringLiteral("t.b2t"))};
    d.SpeedButton4Click();
    EXPECT_EQ(buttons(d), kImporting);
    EXPECT_EQ(p.platform.log.last(), QStringLiteral("open: Fichiers transfert|*.b2t"));
    EXPECT_EQ(d.ListBox1->count(), 0);
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("0"));
    EXPECT_EQ(d.ListBox2->lines(), QStringList{u8("MARTIN Léa CM2 - n° 1")});
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("1"));

    // "<<" copies without changing the state; ">>" is off.
    selectRows(d.ListBox2, {0});
    d.SpeedButton2Click();
    d.SpeedButton2Click();
    EXPECT_EQ(buttons(d), kImporting);
    EXPECT_EQ(d.ListBox1->count(), 2);
    EXPECT_EQ(d.ListBox2->count(), 1);
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("2"));
}

TEST(TransferDialog, CreatesCopiesDuplicatesAndKeepsTheExtensionRule) {
    TestFolder folder;
    writePupils(folder);
    const QStringList before = folder.entries();
    TestFolder out;
    Program p(folder);
    TF_trans& d = p.trans();
    d.FormShow();

    // Nothing to write: not even the save dialog.
    d.SpeedButton3Click();
    EXPECT_TRUE(p.platform.log.isEmpty());

    selectRows(d.ListBox1, {0, 2}); // BERNARD (3) and MARTIN (1)
    d.SpeedButton1Click();
    d.SpeedButton1Click();
    EXPECT_EQ(d.ListBox1->count(), 3);
    EXPECT_EQ(d.ListBox2->count(), 4);
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("4"));

    p.platform.fileAnswers = {std::nullopt, QString(), out.path(QStringLiteral("classe.B2T")),
                              out.path(QStringLiteral("envoi.b2t"))};
    d.SpeedButton3Click();
    d.SpeedButton3Click();
    EXPECT_TRUE(out.entries().isEmpty());
    EXPECT_TRUE(p.platform.messages.isEmpty());
    d.SpeedButton3Click();
    d.SpeedButton3Click();
    EXPECT_EQ(p.platform.log.first(), QStringLiteral("save: Fichiers transfert|*.b2t"));
    EXPECT_EQ(out.entries(),
              (QStringList{QStringLiteral("classe.B2T.b2t"), QStringLiteral("envoi.b2t")}));
    EXPECT_EQ(p.platform.messages,
              (QStringList{
                  u8("Fichier de transfert créé : \r") + out.path(QStringLiteral("classe.B2T.b2t")),
                  u8("Fichier de transfert créé : \r") + out.path(QStringLiteral("envoi.b2t"))}));
    const QByteArray bernard = folder.readBytes(QStringLiteral("3.b2i"));
    const QByteArray martin = folder.readBytes(QStringLiteral("1.b2i"));
    EXPECT_EQ(out.readBytes(QStringLiteral("envoi.b2t")), bernard + bernard + martin + martin);
    EXPECT_EQ(buttons(d), kBuilding);
    EXPECT_EQ(folder.entries(), before);

    // A name that cannot be created.
    p.platform.fileAnswers = {out.path(QStringLiteral("absent/envoi.b2t"))};
    d.SpeedButton3Click();
    EXPECT_EQ(p.platform.messages.last(), u8("Echec à la création du fichier"));
    EXPECT_TRUE(p.platform.errors.isEmpty());
}

TEST(TransferDialog, SaysHowManyPupilsCouldNotBeRead) {
    TestFolder folder;
    writePupils(folder);
    TestFolder out;
    Program p(folder);
    TF_trans& d = p.trans();
    d.FormShow();
    selectRows(d.ListBox1, {0, 1, 2});
    d.SpeedButton1Click();
    // Two pupils become unreadable after the list was shown.
    ASSERT_TRUE(QFile::remove(folder.path(QStringLiteral("2.b2i"))));
    folder.writeBytes(QStringLiteral("3.b2i"), QByteArray(100, 'x'));

    p.platform.fileAnswers = {out.path(QStringLiteral("t"))};
    d.SpeedButton3Click();
    EXPECT_EQ(p.platform.messages,
              QStringList{u8("Fichier de transfert créé : \r") + out.path(QStringLiteral("t.b2t")) +
                          u8("\r2 élèves n'ont pas pu être lus et ne sont pas dans le fichier.")});
    EXPECT_EQ(out.readBytes(QStringLiteral("t.b2t")), folder.readBytes(QStringLiteral("1.b2i")));
}

TEST(TransferDialog, AFullDiskShowsTheErrorAndLeavesNoFile) {
    TestFolder folder;
    writePupils(folder);
    TestFolder out;
    Program p(folder);
    TF_trans& d = p.trans();
    d.FormShow();
    selectRows(d.ListBox1, {0, 1, 2});
    d.SpeedButton1Click();
    p.platform.fileAnswers = {out.path(QStringLiteral("t.b2t"))};

    const int code = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{TFiche::kSize + 10, TFiche::kSize + 10};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        d.SpeedButton3Click();
        if (p.platform.errors != QStringList{QStringLiteral("Disque plein")}) {
            return 3;
        }
        return p.platform.messages.isEmpty() ? 0 : 4;
    });
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(out.entries().isEmpty());
}

TEST(TransferDialog, RoundTripIntoAnotherFolder) {
    TestFolder source;
    writePupils(source);
    const QStringList sourceEntries = source.entries();
    TestFolder out;
    {
        Program a(source);
        a.trans().FormShow();
        selectRows(a.trans().ListBox1, {0, 1, 2});
        a.trans().SpeedButton1Click();
        a.platform.fileAnswers = {out.path(QStringLiteral("envoi"))};
        a.trans().SpeedButton3Click();
    }
    const QByteArray transfer = out.readBytes(QStringLiteral("envoi.b2t"));
    ASSERT_EQ(transfer.size(), 3 * TFiche::kSize);

    TestFolder target;
    for (int n : {1, 2, 4}) {
        target.writePupil(n, QStringLiteral("ICI"), QString::number(n), QStringLiteral("CM1"));
    }
    Program b(target);
    b.main().Triparclasses1Click();
    TF_trans& d = b.trans();
    d.FormShow();
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("3"));
    b.platform.fileAnswers = {out.path(QStringLiteral("envoi.b2t"))};
    d.SpeedButton4Click();
    // Positions in the file: BERNARD, DURAND, MARTIN as the list sorted them.
    EXPECT_EQ(d.ListBox2->lines(),
              (QStringList{u8("BERNARD Zoé 5B - n° 1"), u8("DURAND Paul 6A - n° 2"),
                           u8("MARTIN Léa CM2 - n° 3")}));
    selectRows(d.ListBox2, {2, 0});
    d.SpeedButton2Click();
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("2"));
    d.BitBtn2Click();

    EXPECT_EQ(target.readBytes(QStringLiteral("3.b2i")), source.readBytes(QStringLiteral("3.b2i")));
    EXPECT_EQ(target.readBytes(QStringLiteral("5.b2i")), source.readBytes(QStringLiteral("1.b2i")));
    EXPECT_EQ(target.entries().size(), 5);
    EXPECT_EQ(out.readBytes(QStringLiteral("envoi.b2t")), transfer);
    EXPECT_EQ(source.entries(), sourceEntries);
    const QStringList mainLines = b.main().ListBox1->lines();
    EXPECT_TRUE(mainLines.contains(u8("5B : BERNARD Zoé - n° 3")));
    EXPECT_TRUE(mainLines.contains(u8("CM2 : MARTIN Léa - n° 5")));
    EXPECT_EQ(mainLines.size(), 5);
    EXPECT_EQ(b.main().Memo1->lines(), QStringList{u8("5 élèves au total")});
    EXPECT_TRUE(b.platform.messages.isEmpty());
    EXPECT_TRUE(b.platform.errors.isEmpty());
}

TEST(TransferDialog, OpensOddFilesAndImportsNothingIntoAFullFolder) {
    TestFolder folder;
    QByteArray three;
    for (int k = 1; k <= 3; ++k) {
        three += recordBytes(
            makeRecord(QStringLiteral("N%1").arg(k), QStringLiteral("P"), QStringLiteral("6A")));
    }
    folder.writeBytes(QStringLiteral("trois.b2t"), three + QByteArray(100, 'z'));
    folder.writeBytes(QStringLiteral("vide.b2t"), {});
    const QByteArray record = recordBytes(makeRecord(QStringLiteral("X"), {}, {}));
    for (int n = 1; n <= 999; ++n) {
        folder.writeBytes(QString::number(n) + QLatin1String(".b2i"), record);
    }
    Program p(folder);
    TF_trans& d = p.trans();
    d.FormShow();
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("999"));

    p.platform.fileAnswers = {folder.path(QStringLiteral("absent.b2t")),
                              folder.path(QStringLiteral("vide.b2t")),
                              folder.path(QStringLiteral("trois.b2t"))};
    d.SpeedButton4Click();
    EXPECT_EQ(p.platform.messages, QStringList{u8("Echec à l'ouverture du fichier")});
    EXPECT_EQ(buttons(d), kImporting);
    EXPECT_EQ(d.ListBox1->count() + d.ListBox2->count(), 0);
    d.SpeedButton4Click();
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("0"));
    d.SpeedButton4Click();
    EXPECT_EQ(d.ListBox2->lines(),
              (QStringList{u8("N1 P 6A - n° 1"), u8("N2 P 6A - n° 2"), u8("N3 P 6A - n° 3")}));
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("3"));

    selectRows(d.ListBox2, {0, 1, 2});
    d.SpeedButton2Click();
    p.main().Memo1->setLines({QStringLiteral("avant")});
    d.BitBtn2Click();
    EXPECT_EQ(folder.entries().size(), 999 + 2);
    EXPECT_EQ(p.main().ListBox1->count(), 0);
    ASSERT_EQ(p.platform.errors.size(), 1);
    EXPECT_TRUE(p.platform.errors.first().endsWith(u8("après 0 élève créé.")));
    // The stray bytes after the last record are told once, after the listing.
    EXPECT_EQ(p.platform.messages,
              (QStringList{u8("Echec à l'ouverture du fichier"),
                           u8("Ce fichier est endommagé ou n'est pas un fichier de transfert :\n") +
                               folder.path(QStringLiteral("trois.b2t"))}));
}

TEST(TransferDialog, TheArrowsCopyTheSelectionWhenTheCurrentLineIsUnselected) {
    TestFolder folder;
    writePupils(folder);
    folder.writeBytes(QStringLiteral("t.b2t"), folder.readBytes(QStringLiteral("1.b2i")) +
                                                   folder.readBytes(QStringLiteral("2.b2i")));
    Program p(folder);
    TF_trans& d = p.trans();
    d.FormShow();
    // A ctrl+click on the current line unselects it and leaves it current.
    auto unselectCurrent = [](SortedListBox* list, int row) {
        list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                                QItemSelectionModel::Toggle);
    };
    selectRows(d.ListBox1, {0, 2});
    unselectCurrent(d.ListBox1, 2);
    d.SpeedButton1Click();
    EXPECT_EQ(buttons(d), kBuilding);
    EXPECT_EQ(d.ListBox2->lines(), QStringList{u8("BERNARD Zoé 5B - n° 3")});

    p.platform.fileAnswers = {folder.path(QStringLiteral("t.b2t"))};
    d.SpeedButton4Click();
    selectRows(d.ListBox2, {0, 1});
    unselectCurrent(d.ListBox2, 1);
    d.SpeedButton2Click();
    EXPECT_EQ(d.ListBox1->lines(), QStringList{u8("DURAND Paul 6A - n° 2")});
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("1"));
}

TEST(TransferDialog, WarnsOnceWhenTheFileIsDamagedOrNotATransferFileAndListsAtMost999) {
    TestFolder folder;
    const QByteArray good = recordBytes(
        makeRecord(QStringLiteral("MARTIN"), u8("Léa"), QStringLiteral("CM2"), {1, 30}));
    QByteArray overlong = good;
    overlong[TFiche::disciplineField(7).offset] = 21;
    QByteArray controlInName = good;
    controlInName[2] = '\x01';
    struct Case {
        QString file;
        QByteArray bytes;
        int listed;
        bool damaged;
    };
    const QList<Case> cases{
        {QStringLiteral("bon.b2t"), good + good, 2, false},
        {QStringLiteral("coupe.b2t"), good + good.left(100), 1, true},
        {QStringLiteral("long.b2t"), good + overlong + good, 3, true},
        {QStringLiteral("nom.b2t"), controlInName, 1, true},
        {QStringLiteral("logo.jpg"), QByteArray(TFiche::kSize * 2, '\xff'), 2, true},
    };
    Program p(folder);
    TF_trans& d = p.trans();
    d.FormShow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        folder.writeBytes(c.file, c.bytes);
        p.platform.messages.clear();
        p.platform.fileAnswers = {folder.path(c.file)};
        d.SpeedButton4Click();
        EXPECT_EQ(d.ListBox2->count(), c.listed);
        EXPECT_EQ(p.platform.messages,
                  c.damaged ? QStringList{u8("Ce fichier est endommagé ou n'est pas un fichier de "
                                             "transfert :\n") +
                                          folder.path(c.file)}
                            : QStringList());
    }

    // 400 000 blank records, a hole on the disk: the first 999 are listed, and it is said.
    const QString huge = folder.path(QStringLiteral("enorme.b2t"));
    folder.writeBytes(QStringLiteral("enorme.b2t"), {});
    ASSERT_EQ(::truncate(huge.toLocal8Bit().constData(), off_t{400000} * TFiche::kSize), 0);
    p.platform.messages.clear();
    p.platform.fileAnswers = {huge};
    d.SpeedButton4Click();
    EXPECT_EQ(d.ListBox2->count(), 999);
    EXPECT_EQ(d.Panel2->text(), QStringLiteral("999"));
    EXPECT_EQ(p.platform.messages, QStringList{u8("Ce fichier de transfert contient plus de 999 "
                                                  "élèves : seuls les 999 premiers sont listés.")});
    EXPECT_TRUE(p.platform.errors.isEmpty());
}

TEST(TransferDialog, ReturnOnFermerClosesWithoutImportingAndTheCountsAreHeard) {
    TestFolder folder;
    writePupils(folder);
    folder.writeBytes(QStringLiteral("t.b2t"), folder.readBytes(QStringLiteral("1.b2i")));
    Program p(folder);
    TF_trans& d = p.trans();
    const auto heard = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    test::driveModal(
        &d,
        [&] {
            EXPECT_EQ(heard(d.Panel1), QStringLiteral("3"));
            // The pupil of the transfer file is ready to import: "OK" would add it.
            p.platform.fileAnswers = {folder.path(QStringLiteral("t.b2t"))};
            d.SpeedButton4Click();
            selectRows(d.ListBox2, {0});
            d.SpeedButton2Click();
            EXPECT_EQ(heard(d.Panel1), QStringLiteral("1"));
            EXPECT_EQ(heard(d.Panel2), QStringLiteral("1"));
            d.BitBtn1->setFocus();
            QTest::keyClick(d.BitBtn1, Qt::Key_Return);
        },
        [&] { p.main().Crerunfichierdetransfert1Click(); });
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(folder.entries().size(), 4);
}

TEST(TransferDialog, RunsModallyFromTheHiddenCommand) {
    TestFolder folder;
    writePupils(folder);
    Program p(folder);
    TF_trans& d = p.trans();
    bool checked = false;
    test::driveModal(
        &d,
        [&] {
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(d.isModal());
            EXPECT_EQ(d.ListBox1->count(), 3);
            EXPECT_EQ(buttons(d), kInitial);
            selectRows(d.ListBox1, {0});
            QTest::mouseClick(d.SpeedButton1, Qt::LeftButton);
            EXPECT_EQ(d.ListBox2->count(), 1);
            EXPECT_EQ(buttons(d), kBuilding);
            checked = true;
            QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
        },
        [&] { p.main().Crerunfichierdetransfert1Click(); });
    EXPECT_TRUE(checked);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);

    // Shown again, it starts over; OK with nothing opened only rewrites the count line.
    test::driveModal(
        &d,
        [&] {
            EXPECT_EQ(d.ListBox2->count(), 0);
            d.BitBtn2Click();
            d.accept();
        },
        [&] { p.main().Crerunfichierdetransfert1Click(); });
    EXPECT_EQ(p.main().Memo1->lines(), QStringList{u8("0 élève au total")});
    EXPECT_EQ(folder.entries().size(), 3);
}

TEST(ClassImport, AddsOnePupilPerLineInTheSortFlagsFormat) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("ICI"), QStringLiteral("Déjà"), QStringLiteral("CM1"));
    TestFolder lists;
    lists.writeBytes(QStringLiteral("CM2.txt"), "Martin;L\xc3\xa9"
                                                "a\n\nDupont;\xc3\x89lodie\n");
    lists.writeBytes(QStringLiteral("6A.TXT"), "Petit;Paul\r\n");
    Program p(folder);
    p.main().Tousleslves1Click();

    p.platform.fileAnswers = {lists.path(QStringLiteral("CM2.txt"))};
    p.main().Importerclasseenmodetexte1Click();
    EXPECT_EQ(p.platform.log,
              QStringList{QStringLiteral("open: Classe Texte |*.TXT|Autres fichiers |*.*")});
    EXPECT_EQ(p.main().ListBox1->lines(),
              (QStringList{u8("Dupont Élodie CM2 - n° 3"), u8("ICI Déjà CM1 - n° 1"),
                           u8("Martin Léa CM2 - n° 2")}));
    EXPECT_EQ(p.main().Memo1->lines(), QStringList{u8("3 élèves au total")});
    EXPECT_EQ(
        folder.readBytes(QStringLiteral("3.b2i")),
        recordBytes(makeRecord(QStringLiteral("Dupont"), u8("Élodie"), QStringLiteral("CM2"))));
    EXPECT_EQ(p.platform.waitCursorDepth, 0);

    p.main().Triparclasses1Click();
    p.platform.fileAnswers = {lists.path(QStringLiteral("6A.TXT"))};
    p.main().Importerclasseenmodetexte1Click();
    EXPECT_TRUE(p.main().ListBox1->lines().contains(u8("6A : Petit Paul - n° 4")));
    EXPECT_EQ(p.main().Memo1->lines(), QStringList{u8("4 élèves au total")});
    EXPECT_TRUE(p.platform.messages.isEmpty());
}

TEST(ClassImport, RefreshesTheCountLineWhenNothingIsImported) {
    TestFolder folder;
    folder.writePupil(1, QStringLiteral("ICI"), QStringLiteral("Paul"), QStringLiteral("CM1"));
    TestFolder lists;
    lists.writeBytes(QStringLiteral("vide.txt"), {});
    Program p(folder);
    p.main().Tousleslves1Click();

    p.platform.fileAnswers = {std::nullopt, lists.path(QStringLiteral("absent.txt")),
                              lists.path(QStringLiteral("vide.txt"))};
    for (int i = 0; i < 3; ++i) {
        p.main().Memo1->setLines({QStringLiteral("avant")});
        p.main().Importerclasseenmodetexte1Click();
        EXPECT_EQ(p.main().Memo1->lines(), QStringList{u8("1 élève au total")}) << i;
    }
    EXPECT_EQ(p.platform.messages, QStringList{u8("Echec à l'ouverture du fichier")});
    EXPECT_EQ(folder.entries(), QStringList{QStringLiteral("1.b2i")});
}

TEST(ClassImport, TheFileDialogMatchesExtensionsWhateverTheirCase) {
    TestFolder lists;
    lists.writeBytes(QStringLiteral("6A.txt"), "A;a\n");
    lists.writeBytes(QStringLiteral("5B.TXT"), "B;b\n");
    lists.writeBytes(QStringLiteral("notes.doc"), "x");
    lists.writeBytes(QStringLiteral("CM2"), "C;c\n");
    QtPlatform platform;
    QStringList shown;
    QStringList others;
    test::driveModal(
        [&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setDirectory(lists.prefix());
            auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
            ASSERT_NE(view, nullptr);
            auto rows = [view] { return view->model()->rowCount(view->rootIndex()); };
            auto names = [&] {
                QStringList found;
                for (int row = 0; row < rows(); ++row) {
                    found.append(view->model()->index(row, 0, view->rootIndex()).data().toString());
                }
                found.sort();
                return found;
            };
            EXPECT_TRUE(QTest::qWaitFor([&] { return rows() >= 2; }, 5000));
            QTest::qWait(100);
            shown = names();
            // "Autres fichiers" shows every file, a name without a dot included.
            dialog->selectNameFilter(dialog->nameFilters().value(1));
            EXPECT_TRUE(QTest::qWaitFor([&] { return rows() >= 4; }, 5000));
            others = names();
            dialog->reject();
        },
        [&] {
            EXPECT_FALSE(
                platform.openFileName(nullptr, u8("Classe Texte |*.TXT|Autres fichiers |*.*")));
        });
    EXPECT_EQ(shown, (QStringList{QStringLiteral("5B.TXT"), QStringLiteral("6A.txt")}));
    EXPECT_EQ(others, (QStringList{QStringLiteral("5B.TXT"), QStringLiteral("6A.txt"),
                                   QStringLiteral("CM2"), QStringLiteral("notes.doc")}));
}

TEST(ClassImport, ReadsWhatSpreadsheetsSaveAndRefusesWhatIsNotText) {
    struct Case {
        QString file;
        QByteArray bytes;
        QStringList pupils; // the lines added, without their numbers, sorted
        bool refused = false;
    };
    const QByteArray jpeg =
        bytesOf("\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
                "\xff\xdb\x00\x43\x00\x08\x06\x06\x07\x06;\x05\x08\x07\x07\x07\x09\n");
    const QByteArray xlsx =
        bytesOf("PK\x03\x04\x14\x00\x06\x00\x08\x00\x00\x00!\x00\x62\xee\x9d\x68^\x01"
                "\x00\x00\x90\x04\x00\x00\x13\x00\x08\x02[Content_Types].xml \xa2\x04\x02"
                "(\xa0\x00\x02\n;\r\n");
    const QString twoPupils = u8("Martin;Léa\r\nDURAND;Zoé\r\n");
    const QList<Case> cases{
        {QStringLiteral("logo.jpg"), jpeg + QByteArray(500, 'a') + "\n;x\n", {}, true},
        {QStringLiteral("CM2.xlsx"), xlsx, {}, true},
        {QStringLiteral("nul.txt"), bytesOf("Martin;Paul\r\nDu\0pont;Jean\r\n"), {}, true},
        {QStringLiteral("6A.txt"),
         utf16(twoPupils, true),
         {u8("DURAND Zoé 6A"), u8("Martin Léa 6A")}},
        {QStringLiteral("6B.txt"),
         utf16(twoPupils, false),
         {u8("DURAND Zoé 6B"), u8("Martin Léa 6B")}},
        {QStringLiteral("mac.csv"),
         "Martin;L\xe9"
         "a\rPETIT;Paul\r",
         {u8("Martin Léa mac"), u8("PETIT Paul mac")}},
        {QStringLiteral("nfd.txt"),
         "Martin;Le\xcc\x81"
         "a\n",
         {u8("Martin Léa nfd")}},
        {QStringLiteral("mix.txt"),
         "Martin;L\xc3\xa9"
         "a\nDURAND;Zo\xe9\n",
         {u8("DURAND Zoé mix"), u8("Martin Léa mix")}},
        {QStringLiteral("vides.txt"),
         ";\r\n;;\r\n ; \r\n\t;\t\r\n   \r\n ;Paul\r\n",
         {u8("  Paul vides")}},
    };
    TestFolder folder;
    TestFolder lists;
    Program p(folder);
    int created = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        lists.writeBytes(c.file, c.bytes);
        const QStringList before = p.main().ListBox1->lines();
        p.platform.messages.clear();
        p.platform.fileAnswers = {lists.path(c.file)};
        p.main().Importerclasseenmodetexte1Click();
        QStringList added = p.main().ListBox1->lines();
        for (const QString& line : before) {
            added.removeOne(line);
        }
        added = withoutNumbers(added);
        added.sort();
        EXPECT_EQ(added, c.pupils);
        created += static_cast<int>(c.pupils.size());
        EXPECT_EQ(folder.entries().size(), created);
        EXPECT_EQ(p.platform.messages,
                  c.refused ? QStringList{u8("Ce fichier n'est pas un fichier texte ; aucun élève "
                                             "n'a été créé :\n") +
                                          lists.path(c.file)}
                            : QStringList());
        EXPECT_TRUE(p.platform.errors.isEmpty());
    }
    // Accents reach the record as Windows-1252 bytes.
    EXPECT_EQ(folder.readBytes(QStringLiteral("1.b2i")),
              recordBytes(makeRecord(QStringLiteral("Martin"), u8("Léa"), QStringLiteral("6A"))));
}

TEST(ClassImport, AHugeFileIsReadInBoundedMemoryUpTo999Pupils) {
    TestFolder folder;
    TestFolder lists;
    QByteArray text;
    // More text than the first block read, then nothing but NUL bytes.
    for (int k = 1; k <= 5000; ++k) {
        text += "NOM" + QByteArray::number(k) + ";Pr\xe9nom\r\n";
    }
    lists.writeBytes(QStringLiteral("6A.txt"), text);
    // A gigabyte, mostly a hole that takes no room on the disk.
    ASSERT_EQ(
        ::truncate(lists.path(QStringLiteral("6A.txt")).toLocal8Bit().constData(), off_t{1} << 30),
        0);
    // Numbers 1 to 900 are taken: the import makes the last 99 and stops reading there.
    for (int n = 1; n <= 900; ++n) {
        folder.writeBytes(QString::number(n) + QLatin1String(".b2i"), {});
    }
    Program p(folder);
    p.platform.fileAnswers = {lists.path(QStringLiteral("6A.txt"))};
    const int code = runInChild([&] {
#ifndef KALIDOR_ADDRESS_SANITIZER // its shadow memory does not fit a limit
        // 256 MiB more than the program holds now: far less than the file.
        std::ifstream statm("/proc/self/statm");
        long pages = 0;
        statm >> pages;
        const rlim_t bytes = static_cast<rlim_t>(pages) * ::sysconf(_SC_PAGESIZE) + (256u << 20);
        const rlimit limit{bytes, bytes};
        if (pages == 0 || ::setrlimit(RLIMIT_AS, &limit) != 0) {
            return 2;
        }
#endif
        p.main().Importerclasseenmodetexte1Click();
        // The import stops at 999 and says so, once.
        if (p.platform.errors.size() != 1 || !p.platform.messages.isEmpty()) {
            return 3;
        }
        return p.main().ListBox1->count() == 99 ? 0 : 4;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(folder.entries().size(), 999);
}
