#pragma once
// The main window: the pupil list, the text pane, the logo, the menus and every command.
// The commands are spread over files by subject: views and opening (view_commands.cpp),
// adding and deleting (pupil_commands.cpp), reports and printing (report_commands.cpp),
// transfer and class import (exchange_commands.cpp).

#include "app/closed_sheet.h"
#include "commands/pupil_folder.h"
#include "platform/memo.h"
#include "platform/platform.h"
#include "platform/progress_window.h"
#include "platform/sorted_list_box.h"
#include "records/list_views.h"
#include "records/shared_state.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPixmap>

namespace kalidor {

class TF_ajout;
class TF_saisi1;
class TF_annule;
class TF_trans;
class TAboutBox;

// The other windows, created after the main window and living as long as it.
struct KalidorWindows {
    TF_ajout* F_ajout = nullptr;
    TF_saisi1* F_saisi1 = nullptr;
    TF_annule* F_annule = nullptr;
    TF_trans* F_trans = nullptr;
    TAboutBox* AboutBox = nullptr;
};

class TF_une : public QMainWindow {
    Q_OBJECT
public:
    // Sets the data folder of `state` to `executableFolder`.
    TF_une(SharedState& state, Platform& platform, const QString& executableFolder,
           const QPixmap& logo, QWidget* parent = nullptr);

    // Keeps the other windows and takes in what they add to the pupil list.
    void attachWindows(const KalidorWindows& windows);

    SortedListBox* ListBox1 = nullptr;
    Memo* Memo1 = nullptr;
    QLabel* Image1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

public slots:
    // Views and opening a pupil
    void Tousleslves1Click();
    void Triparnoms1Click();
    void Triparclasses1Click();
    void Leslvesayantleniveaucole1Click();
    void Leslvesayantleniveaucollge1Click();
    void Leslvesnayantpasleniveaucole1Click();
    void Leslvesnayantpasleniveaucollge1Click();
    void ListBox1DblClick();
    void Tableaudescomptencesparclasse1Click();
    void Textesofficiels1Click();
    void Apropos1Click();
    void Quitter1Click();

    // Adding and deleting pupils, sample pupils
    void Ajouterunlve1Click();
    void Effacer1Click();
    void crer110lves1Click();
    void crer17lvesniveau11Click();
    void crer17lvesniveau21Click();

    // Reports and printing
    void Validercomptenceslevesl1Click();
    void Bilandescomptencescoledellve1Click();
    void Bilandescomptencescollgedellve1Click();
    void Listedescomptencesniveaucole1Click();
    void Listedescomptencesniveaucollge1Click();
    void Imprimer2Click();
    void Imprimercomptencesniveaucollgedellve1Click();
    void imprimerattestation11Click();
    void Imprimerattestationniveau2dellve1Click();
    void Listedetousleslves1Click();
    void Listedeslvesayantleniveaucole1Click();
    void Listedeslvesayantleniveaucollge1Click();
    void Listedeslvesnayantpasleniveaucole1Click();
    void Listedeslvesnayantpasleniveaucollge1Click();
    void Imprimertouteslesattestationsdeniveau11Click();
    void Imprimertouteslesattestationsdeniveau21Click();
    void Listedescomptencesniveaucole2Click();
    void Listedescomptencesniveaucollge2Click();

    // Data exchange
    void Crerunfichierdetransfert1Click();
    void Importerclasseenmodetexte1Click();
    void Importerdepuislannuaire1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(const QPixmap& logo);
    void buildMainMenu();
    void buildPopupMenu();
    QAction* addItem(QMenu* menu, const char* name, const char* caption, void (TF_une::*handler)(),
                     const QKeySequence& shortcut = {}, bool visible = true);

    // Fills the list with a view, writes its count line and reports unreadable files.
    void showView(ListView view);
    void showView(ListView view, const ViewResult& result);
    // The record number at the end of the selected line, if a line is selected.
    std::optional<QString> selectedNumber() const;
    // The selected line, when its number is one the commands act on.
    std::optional<ListEntry> selectedEntry() const;
    // Makes the selected line's pupil the current record. Every command on a list line comes
    // here first: when the number now holds another pupil than the line showed (freed and taken
    // again on another machine), it says so and the command does nothing.
    LinePupil loadSelectedPupil();
    // The row of the line of `numberText`, -1 when the list does not show it.
    int rowOfNumber(const QString& numberText) const;
    // Opens the pupil's competence sheet, taking the pupil's line (if the list shows it) out of
    // the list while it is open and putting it back as the file holds it after.
    ClosedSheet openPupil(const QString& numberText);
    // Writes a set of sample pupils, listing each one by name.
    void createSamples(SampleSet set);
    // A batch that lists each pupil it creates and reports to `progress`, which may stop it.
    BatchControl batchControl(Progress& progress);
    // Rewrites the text pane with the count line of the lines left in the list.
    void refreshTotalCountLine();

    // Reports and printing (report_commands.cpp)
    void showPupilReview(int level);
    void printPupilSheet(int level);
    void showCompetenceIndex(int level, bool print);
    void printPupilAttestation(int level);
    // The certificates of the pupils the view keeps, at the level it concerns.
    void printAllAttestations(ListView view);
    void printPupilList(ListView view);

    SharedState& state_;
    Platform& platform_;
    PupilFolder folder_;
    KalidorWindows windows_;
    bool shown_ = false;
    bool deferErrors_ = false;
};

} // namespace kalidor
