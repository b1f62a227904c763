// The fair start-up floor: a plain Qt Widgets window that shows what the program's main window
// shows without reading any file: the same menus, 999 pupil lines sorted in the list's order in
// the list's font, and the count line in the text pane's font; then it leaves. Unlike the bare
// window, it pays for the fonts, the menus and the sorting that any such window needs.

#include "app/app_texts.h"
#include "records/class_table_texts.h"
#include "records/utf8.h"

#include <QApplication>
#include <QCollator>
#include <QKeySequence>
#include <QListView>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStringListModel>
#include <QTimer>
#include <algorithm>
#include <initializer_list>

using namespace kalidor;
using namespace kalidor::app_texts;

namespace {

constexpr int kPupils = 999;

// A menu item; a null caption is a separator.
struct Item {
    const char* caption;
    QKeySequence shortcut = {};
    bool visible = true;
};

void addMenu(QMenuBar* bar, const char* title, std::initializer_list<Item> items,
             bool visible = true) {
    QMenu* menu = bar->addMenu(tr8(title));
    menu->menuAction()->setVisible(visible);
    for (const Item& item : items) {
        if (item.caption == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(tr8(item.caption));
        action->setShortcut(item.shortcut);
        action->setVisible(item.visible);
    }
}

void addMenus(QMenuBar* bar) {
    addMenu(bar, kMenuFichiers,
            {{kAjouterUnEleve, Qt::Key_F10},
             {kEffacerEleve, Qt::Key_F12},
             {nullptr},
             {kFichierTransfert, {}, false},
             {kImporterClasse},
             {nullptr},
             {kQuitter},
             {kValiderCompetences, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_W), false},
             {kAPropos},
             {kCreer110, {}, false},
             {kCreer17Niveau1, {}, false},
             {kCreer17Niveau2, {}, false},
             {kCreer17Niveau3, {}, false}});
    addMenu(bar, kMenuModifier, {{kCompetencesEleve}});
    addMenu(bar, kMenuAffichage,
            {{kTousLesEleves},
             {kTriParNoms},
             {kTriParClasses},
             {nullptr},
             {kAyantEcole},
             {kAyantCollege},
             {nullptr},
             {kNayantPasEcole},
             {kNayantPasCollege},
             {nullptr},
             {kBilanEcole},
             {kBilanCollege},
             {nullptr},
             {kListeCompetencesEcole},
             {kListeCompetencesCollege},
             {nullptr},
             {class_table_texts::kTableCaption, Qt::Key_F9}});
    addMenu(bar, kMenuEdition, {{nullptr}, {kTextesOfficiels}}, false);
    addMenu(bar, kMenuImprimer,
            {{kImprimerCompetencesEcole, Qt::Key_F4},
             {kImprimerCompetencesCollege, Qt::Key_F5},
             {nullptr},
             {kImprimerAttestationEcole, Qt::Key_F6},
             {kImprimerAttestationCollege, Qt::Key_F7},
             {nullptr},
             {kListeTous},
             {kListeAyantEcole},
             {kListeAyantCollege},
             {nullptr},
             {kListeNayantPasEcole},
             {kListeNayantPasCollege},
             {nullptr},
             {kToutesAttestationsEcole},
             {kToutesAttestationsCollege},
             {nullptr},
             {kListeCompetencesEcole},
             {kListeCompetencesCollege}});
}

// The lines of the benchmarks' 999 pupils, in the French, case-insensitive order of the list.
QStringList sortedLines() {
    QStringList lines;
    for (int n = 1; n <= kPupils; ++n) {
        lines.append(QStringLiteral("NOM%1 ").arg(kPupils - n) +
                     QString::fromUtf8("Prénom%1 6").arg(n) + QChar(u'A' + n % 5) +
                     tr8(record_texts::kNumberSeparator) + QString::number(n));
    }
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(lines.begin(), lines.end(), collator);
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(tr8(kMainCaption));
    addMenus(window.menuBar());

    auto* client = new QWidget(&window);
    window.setCentralWidget(client);
    auto* list = new QListView(client);
    list->setGeometry(16, 16, 642, 290);
    list->setFont(QFont(QStringLiteral("Arial"), 12));
    // Lines of one height: the list measures one line, not 999.
    list->setUniformItemSizes(true);
    list->setModel(new QStringListModel(sortedLines(), list));
    auto* pane = new QPlainTextEdit(client);
    pane->setGeometry(0, 615 - 273, 875, 273);
    QFont paneFont(QStringLiteral("Times New Roman"), 12);
    paneFont.setBold(true);
    pane->setFont(paneFont);
    pane->setReadOnly(true);
    pane->appendPlainText(QString::number(kPupils) + tr8(record_texts::kTotalPlural));

    window.resize(875, 615 + window.menuBar()->sizeHint().height());
    window.show();
    QTimer::singleShot(0, &application, &QApplication::quit);
    return application.exec();
}
