// Reports in the text pane and the printed documents.

#include "app/app_texts.h"
#include "app/main_window.h"
#include "platform/command_guard.h"
#include "platform/platform_answers.h"
#include "records/io_error.h"
#include "records/level_rules.h"
#include "records/record_file.h"
#include "records/referential.h"
#include "records/report_lines.h"
#include "records/utf8.h"
#include "reports/attestations.h"
#include "reports/canvas_document.h"
#include "reports/memo_printing.h"
#include "reports/pupil_list_printing.h"

#include <QDate>

namespace kalidor {

void TF_une::showPupilReview(int level) {
    if (loadSelectedPupil() == LinePupil::Loaded) {
        Memo1->setLines(reviewLines(state_.current, level));
    }
}

void TF_une::printPupilSheet(int level) {
    const LinePupil pupil = loadSelectedPupil();
    if (pupil == LinePupil::Other) {
        return;
    }
    if (pupil == LinePupil::Loaded) {
        Memo1->setLines(sheetLines(state_.current, level));
    }
    // Printed even when the record could not be read: the pane's text as it stands.
    runGuarded(platform_, this, [this] {
        printPaneLines(platform_, this, Memo1->lines(), {.font = std::nullopt, .waitCursor = true});
    });
}

void TF_une::showCompetenceIndex(int level, bool print) {
    Memo1->setLines(competenceIndex(level));
    if (print) {
        runGuarded(platform_, this, [this] {
            printPaneLines(platform_, this, Memo1->lines(),
                           {.font = Memo1->font(), .waitCursor = false});
        });
    }
}

void TF_une::printPupilAttestation(int level) {
    if (loadSelectedPupil() != LinePupil::Loaded) {
        return;
    }
    if (!levelHeldBy(state_.current, level)) {
        platform_.showMessage(this, refusalMessage(state_.current, level));
        return;
    }
    runGuarded(platform_, this, [&] {
        CanvasDocument document(platform_.printer(), platform_, *windows_.F_annule);
        printOneAttestation(document, this, level, attestationName(state_.current),
                            QDate::currentDate());
    });
}

void TF_une::printAllAttestations(ListView view) {
    const int level = viewDescription(view).level;
    showView(view);
    const QStringList lines = ListBox1->lines();
    const int pages = pageCount(static_cast<int>(lines.size()), kAttestationsPerPage);
    platform_.showMessage(this, batchCountMessage(static_cast<int>(lines.size()), pages));
    if (pages == 0) {
        return;
    }
    runGuarded(platform_, this, [&] {
        CanvasDocument document(platform_.printer(), platform_, *windows_.F_annule);
        printAttestationBatch(document, this, level, lines, QDate::currentDate());
    });
}

void TF_une::printPupilList(ListView view) {
    showView(view);
    runGuarded(platform_, this, [&] {
        CanvasDocument document(platform_.printer(), platform_, *windows_.F_annule);
        kalidor::printPupilList(document, this, ListBox1->lines(),
                                tr8(viewDescription(view).printedTitle), QDate::currentDate());
    });
}

void TF_une::Validercomptenceslevesl1Click() {
    const std::optional<ListEntry> entry = selectedEntry();
    if (!entry) {
        return;
    }
    PlatformAnswers answers(platform_, this);
    runGuarded(platform_, this, [&] {
        if (const std::optional<QStringList> report = folder_.validateAll(*entry, answers)) {
            Memo1->setLines(*report);
        }
    });
}

void TF_une::Bilandescomptencescoledellve1Click() {
    showPupilReview(kLevelEcole);
}
void TF_une::Bilandescomptencescollgedellve1Click() {
    showPupilReview(kLevelCollege);
}
void TF_une::Listedescomptencesniveaucole1Click() {
    showCompetenceIndex(kLevelEcole, false);
}
void TF_une::Listedescomptencesniveaucollge1Click() {
    showCompetenceIndex(kLevelCollege, false);
}
void TF_une::Listedescomptencesniveaucole2Click() {
    showCompetenceIndex(kLevelEcole, true);
}
void TF_une::Listedescomptencesniveaucollge2Click() {
    showCompetenceIndex(kLevelCollege, true);
}
void TF_une::Imprimer2Click() {
    printPupilSheet(kLevelEcole);
}
void TF_une::Imprimercomptencesniveaucollgedellve1Click() {
    printPupilSheet(kLevelCollege);
}
void TF_une::imprimerattestation11Click() {
    printPupilAttestation(kLevelEcole);
}
void TF_une::Imprimerattestationniveau2dellve1Click() {
    printPupilAttestation(kLevelCollege);
}
void TF_une::Imprimertouteslesattestationsdeniveau11Click() {
    printAllAttestations(ListView::WithEcole);
}
void TF_une::Imprimertouteslesattestationsdeniveau21Click() {
    printAllAttestations(ListView::WithCollege);
}
void TF_une::Listedetousleslves1Click() {
    printPupilList(ListView::AllByName);
}
void TF_une::Listedeslvesayantleniveaucole1Click() {
    printPupilList(ListView::WithEcole);
}
void TF_une::Listedeslvesayantleniveaucollge1Click() {
    printPupilList(ListView::WithCollege);
}
void TF_une::Listedeslvesnayantpasleniveaucole1Click() {
    printPupilList(ListView::WithoutEcole);
}
void TF_une::Listedeslvesnayantpasleniveaucollge1Click() {
    printPupilList(ListView::WithoutCollege);
}

} // namespace kalidor
