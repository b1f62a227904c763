#include "app/main_window.h"
#include "app/app_texts.h"
#include "exchange/transfer_dialog.h"
#include "platform/ui_style.h"
#include "records/class_table_texts.h"
#include "records/record_file.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>
#include <QStyledItemDelegate>

namespace kalidor {

namespace {

constexpr QSize kClientSize(875, 615);
constexpr QRect kListPlace(16, 16, 642, 290);
constexpr int kListItemHeight = 18;
// The logo at the list's height, as far from the right edge as the list from the left one.
constexpr QRect kImagePlace(kClientSize.width() - 165 - kListPlace.left(), kListPlace.top(), 165,
                            96);
constexpr int kMemoHeight = 273;

using namespace colours;

// List lines 18 pixels high.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kListItemHeight};
    }
};

} // namespace

TF_une::TF_une(SharedState& state, Platform& platform, const QString& executableFolder,
               const QPixmap& logo, QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform), folder_(state) {
    setObjectName(QStringLiteral("F_une"));
    setWindowTitle(tr8(app_texts::kMainCaption));
    state_.prefix = dataDirectoryPrefix(executableFolder);
    buildControls(logo);
    buildMainMenu();
    buildPopupMenu();
    resize(kClientSize + QSize(0, menuBar()->sizeHint().height()));
    ListBox1->setFocus();
}

void TF_une::attachWindows(const KalidorWindows& windows) {
    windows_ = windows;
    // The transfer dialog hands each pupil it imports to the list, then asks for the count.
    connect(windows_.F_trans, &TF_trans::pupilAdded, this,
            [this](const ListEntry& entry) { ListBox1->addLine(entry); });
    connect(windows_.F_trans, &TF_trans::importFinished, this, &TF_une::refreshTotalCountLine);
}

void TF_une::buildControls(const QPixmap& logo) {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setBackground(client, Qt::white);
    setCentralWidget(client);

    ListBox1 = new SortedListBox(client);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(tr8(app_texts::kListByName));
    ListBox1->setGeometry(kListPlace);
    ListBox1->setFont(arial(12));
    ListBox1->setItemDelegate(new FixedHeightDelegate(ListBox1));
    setPaneColours(ListBox1, Qt::white, kBlue);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBox1, &QListView::doubleClicked, this, &TF_une::ListBox1DblClick);
    // Enter opens the selected pupil too, so the list can be worked from the keyboard alone.
    ListBox1->installEventFilter(this);
    connect(ListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(at)); });

    Image1 = new QLabel(client);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(kImagePlace);
    Image1->setScaledContents(true);
    Image1->setPixmap(logo);

    Memo1 = new Memo(client);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(tr8(app_texts::kMemoName));
    Memo1->setFont(timesNewRoman(12, true));
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    setPaneColours(Memo1, kBlue, Qt::black);
}

bool TF_une::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ListBox1DblClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TF_une::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QWidget* client = centralWidget();
    // The text pane is docked at the bottom of the client area, across its whole width.
    Memo1->setGeometry(0, client->height() - kMemoHeight, client->width(), kMemoHeight);
}

QAction* TF_une::addItem(QMenu* menu, const char* name, const char* caption,
                         void (TF_une::*handler)(), const QKeySequence& shortcut, bool visible) {
    QAction* action = menu->addAction(tr8(caption));
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setVisible(visible);
    if (handler != nullptr) {
        connect(action, &QAction::triggered, this, handler);
    }
    if (!visible && !shortcut.isEmpty()) {
        // Qt ignores the shortcut of a hidden item; the window answers it instead.
        auto* key = new QShortcut(shortcut, this);
        key->setObjectName(QLatin1String(name) + QLatin1String("Shortcut"));
        connect(key, &QShortcut::activated, action, &QAction::trigger);
    }
    return action;
}

void TF_une::buildMainMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* fichiers = bar->addMenu(tr8(app_texts::kMenuFichiers));
    fichiers->setObjectName(QStringLiteral("Fichiers1"));
    addItem(fichiers, "Ajouterunlve1", app_texts::kAjouterUnEleve, &TF_une::Ajouterunlve1Click,
            Qt::Key_F10);
    addItem(fichiers, "Effacer1", app_texts::kEffacerEleve, &TF_une::Effacer1Click, Qt::Key_F12);
    fichiers->addSeparator();
    addItem(fichiers, "Crerunfichierdetransfert1", app_texts::kFichierTransfert,
            &TF_une::Crerunfichierdetransfert1Click, {}, false);
    addItem(fichiers, "Importerclasseenmodetexte1", app_texts::kImporterClasse,
            &TF_une::Importerclasseenmodetexte1Click);
    addItem(fichiers, "Importerdepuislannuaire1", app_texts::kImporterAnnuaire,
            &TF_une::Importerdepuislannuaire1Click);
    fichiers->addSeparator();
    addItem(fichiers, "Quitter1", app_texts::kQuitter, &TF_une::Quitter1Click);
    addItem(fichiers, "Validercomptenceslevesl1", app_texts::kValiderCompetences,
            &TF_une::Validercomptenceslevesl1Click, QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_W),
            false);
    addItem(fichiers, "Apropos1", app_texts::kAPropos, &TF_une::Apropos1Click);
    addItem(fichiers, "crer110lves1", app_texts::kCreer110, &TF_une::crer110lves1Click, {}, false);
    addItem(fichiers, "crer17lvesniveau11", app_texts::kCreer17Niveau1,
            &TF_une::crer17lvesniveau11Click, {}, false);
    addItem(fichiers, "crer17lvesniveau21", app_texts::kCreer17Niveau2,
            &TF_une::crer17lvesniveau21Click, {}, false);
    addItem(fichiers, "crer17lvesniveau31", app_texts::kCreer17Niveau3, nullptr, {}, false);

    QMenu* modifier = bar->addMenu(tr8(app_texts::kMenuModifier));
    modifier->setObjectName(QStringLiteral("Modifier1"));
    addItem(modifier, "Comptencesb2idellveslectionn1", app_texts::kCompetencesEleve,
            &TF_une::ListBox1DblClick);

    QMenu* affichage = bar->addMenu(tr8(app_texts::kMenuAffichage));
    affichage->setObjectName(QStringLiteral("Affichage1"));
    addItem(affichage, "Tousleslves1", app_texts::kTousLesEleves, &TF_une::Tousleslves1Click);
    addItem(affichage, "Triparnoms1", app_texts::kTriParNoms, &TF_une::Triparnoms1Click);
    addItem(affichage, "Triparclasses1", app_texts::kTriParClasses, &TF_une::Triparclasses1Click);
    affichage->addSeparator();
    addItem(affichage, "Leslvesayantleniveaucole1", app_texts::kAyantEcole,
            &TF_une::Leslvesayantleniveaucole1Click);
    addItem(affichage, "Leslvesayantleniveaucollge1", app_texts::kAyantCollege,
            &TF_une::Leslvesayantleniveaucollge1Click);
    affichage->addSeparator();
    addItem(affichage, "Leslvesnayantpasleniveaucole1", app_texts::kNayantPasEcole,
            &TF_une::Leslvesnayantpasleniveaucole1Click);
    addItem(affichage, "Leslvesnayantpasleniveaucollge1", app_texts::kNayantPasCollege,
            &TF_une::Leslvesnayantpasleniveaucollge1Click);
    affichage->addSeparator();
    addItem(affichage, "Bilandescomptencescoledellve1", app_texts::kBilanEcole,
            &TF_une::Bilandescomptencescoledellve1Click);
    addItem(affichage, "Bilandescomptencescollgedellve1", app_texts::kBilanCollege,
            &TF_une::Bilandescomptencescollgedellve1Click);
    affichage->addSeparator();
    addItem(affichage, "Listedescomptencesniveaucole1", app_texts::kListeCompetencesEcole,
            &TF_une::Listedescomptencesniveaucole1Click);
    addItem(affichage, "Listedescomptencesniveaucollge1", app_texts::kListeCompetencesCollege,
            &TF_une::Listedescomptencesniveaucollge1Click);
    affichage->addSeparator();
    addItem(affichage, "Tableaudescomptencesparclasse1", class_table_texts::kTableCaption,
            &TF_une::Tableaudescomptencesparclasse1Click, Qt::Key_F9);

    QMenu* edition = bar->addMenu(tr8(app_texts::kMenuEdition));
    edition->setObjectName(QStringLiteral("Edition1"));
    edition->menuAction()->setVisible(false);
    edition->addSeparator();
    // Out of reach, also of a screen reader's actions, which reach the items of hidden menus.
    addItem(edition, "Textesofficiels1", app_texts::kTextesOfficiels,
            &TF_une::Textesofficiels1Click)
        ->setEnabled(false);

    QMenu* imprimer = bar->addMenu(tr8(app_texts::kMenuImprimer));
    imprimer->setObjectName(QStringLiteral("Imprimer1"));
    addItem(imprimer, "Imprimer2", app_texts::kImprimerCompetencesEcole, &TF_une::Imprimer2Click,
            Qt::Key_F4);
    addItem(imprimer, "Imprimercomptencesniveaucollgedellve1",
            app_texts::kImprimerCompetencesCollege,
            &TF_une::Imprimercomptencesniveaucollgedellve1Click, Qt::Key_F5);
    imprimer->addSeparator();
    addItem(imprimer, "imprimerattestation11", app_texts::kImprimerAttestationEcole,
            &TF_une::imprimerattestation11Click, Qt::Key_F6);
    addItem(imprimer, "Imprimerattestationniveau2dellve1", app_texts::kImprimerAttestationCollege,
            &TF_une::Imprimerattestationniveau2dellve1Click, Qt::Key_F7);
    imprimer->addSeparator();
    addItem(imprimer, "Listedetousleslves1", app_texts::kListeTous,
            &TF_une::Listedetousleslves1Click);
    addItem(imprimer, "Listedeslvesayantleniveaucole1", app_texts::kListeAyantEcole,
            &TF_une::Listedeslvesayantleniveaucole1Click);
    addItem(imprimer, "Listedeslvesayantleniveaucollge1", app_texts::kListeAyantCollege,
            &TF_une::Listedeslvesayantleniveaucollge1Click);
    imprimer->addSeparator();
    addItem(imprimer, "Listedeslvesnayantpasleniveaucole1", app_texts::kListeNayantPasEcole,
            &TF_une::Listedeslvesnayantpasleniveaucole1Click);
    addItem(imprimer, "Listedeslvesnayantpasleniveaucollge1", app_texts::kListeNayantPasCollege,
            &TF_une::Listedeslvesnayantpasleniveaucollge1Click);
    imprimer->addSeparator();
    addItem(imprimer, "Imprimertouteslesattestationsdeniveau11",
            app_texts::kToutesAttestationsEcole,
            &TF_une::Imprimertouteslesattestationsdeniveau11Click);
    addItem(imprimer, "Imprimertouteslesattestationsdeniveau21",
            app_texts::kToutesAttestationsCollege,
            &TF_une::Imprimertouteslesattestationsdeniveau21Click);
    imprimer->addSeparator();
    addItem(imprimer, "Listedescomptencesniveaucole2", app_texts::kListeCompetencesEcole,
            &TF_une::Listedescomptencesniveaucole2Click);
    addItem(imprimer, "Listedescomptencesniveaucollge2", app_texts::kListeCompetencesCollege,
            &TF_une::Listedescomptencesniveaucollge2Click);
}

void TF_une::buildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    addItem(PopupMenu1, "Modifiercomptencesdellve1", app_texts::kModifierCompetences,
            &TF_une::ListBox1DblClick);
    addItem(PopupMenu1, "Trierparclasses1", app_texts::kTrierParClasses,
            &TF_une::Triparclasses1Click);
    addItem(PopupMenu1, "Trierparnoms1", app_texts::kTrierParNoms, &TF_une::Triparnoms1Click);
    PopupMenu1->addSeparator();
    addItem(PopupMenu1, "Ajouterunlve2", app_texts::kAjouterUnEleve, &TF_une::Ajouterunlve1Click);
    addItem(PopupMenu1, "Effacerllveslectionn1", app_texts::kEffacerEleve, &TF_une::Effacer1Click);
    PopupMenu1->addSeparator();
    addItem(PopupMenu1, "Imprimerbilancomptencesdellve1", app_texts::kImprimerBilan,
            &TF_une::Imprimer2Click);
    addItem(PopupMenu1, "Imprimerattestationniveaucoledellve1",
            app_texts::kImprimerAttestationEcole, &TF_une::imprimerattestation11Click);
    addItem(PopupMenu1, "Imprimerattestationniveaucollgedellve1",
            app_texts::kImprimerAttestationCollege,
            &TF_une::Imprimerattestationniveau2dellve1Click);
    addItem(PopupMenu1, "Imprimerattestationniveaulycedellve1",
            app_texts::kImprimerAttestationLycee, nullptr);
}

} // namespace kalidor
