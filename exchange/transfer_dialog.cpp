#include "exchange/transfer_dialog.h"

#include "commands/pupil_folder.h"
#include "exchange/exchange_texts.h"
#include "exchange/transfer_file.h"
#include "platform/command_guard.h"
#include "platform/platform_answers.h"
#include "platform/progress_window.h"
#include "platform/ui_style.h"
#include "platform/wait_cursor.h"
#include "records/list_lines.h"
#include "records/record_file.h"

#include <QTimer>

namespace kalidor {

namespace {

constexpr int kLeft = 60;
constexpr int kTop = 39;
constexpr int kWidth = 665;
constexpr int kHeight = 535;

} // namespace

TF_trans::TF_trans(SharedState& state, Platform& platform, QWidget* parent)
    : QDialog(parent), state_(state), platform_(platform) {
    setObjectName(QStringLiteral("F_trans"));
    setWindowTitle(tr8(exchange_texts::kTransCaption));
    setFont(msSansSerif(8));
    setGeometry(kLeft, kTop, kWidth, kHeight);
    buildControls();
    setButtonState(ButtonState::Initial);
}

void TF_trans::buildControls() {
    auto makeList = [this](const char* name, const char* accessibleName, int left) {
        auto* list = new SortedListBox(this);
        list->setObjectName(QLatin1String(name));
        list->setAccessibleName(tr8(accessibleName));
        list->setGeometry(left, 8, 281, 313);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        return list;
    };
    ListBox1 = makeList("ListBox1", exchange_texts::kListeComplete, 8);
    ListBox2 = makeList("ListBox2", exchange_texts::kElevesDuFichier, 360);

    auto addButton = [this](const char* name, const char* caption, const QRect& place,
                            const QFont& font, void (TF_trans::*handler)()) {
        QPushButton* button = makeButton(this, name, caption, place);
        button->setFont(font);
        if (handler != nullptr) {
            connect(button, &QPushButton::clicked, this, handler);
        }
        return button;
    };
    SpeedButton1 = addButton("SpeedButton1", exchange_texts::kAjouterAuTransfert,
                             {296, 112, 57, 41}, arial(14, true), &TF_trans::SpeedButton1Click);
    SpeedButton2 = addButton("SpeedButton2", exchange_texts::kReprendreDuTransfert,
                             {296, 168, 57, 41}, arial(14, true), &TF_trans::SpeedButton2Click);
    SpeedButton3 = addButton("SpeedButton3", exchange_texts::kCreerFichier, {392, 416, 249, 41},
                             arial(12), &TF_trans::SpeedButton3Click);
    SpeedButton4 = addButton("SpeedButton4", exchange_texts::kOuvrirFichier, {392, 464, 249, 41},
                             arial(12), &TF_trans::SpeedButton4Click);
    BitBtn1 = addButton("BitBtn1", exchange_texts::kFermer, {8, 400, 153, 41}, font(), nullptr);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    BitBtn2 = addButton("BitBtn2", exchange_texts::kOk, {176, 400, 153, 41}, font(), nullptr);
    BitBtn2->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        BitBtn2Click();
        accept();
    });

    auto addLabel = [this](const char* name, const char* caption, int left, SortedListBox* buddy) {
        QLabel* label = makeLabel(this, name, caption, arial(12), {left, 328, 281, 24});
        label->setAlignment(Qt::AlignCenter);
        label->setBuddy(buddy);
        return label;
    };
    Label1 = addLabel("Label1", exchange_texts::kListeComplete, 8, ListBox1);
    Label2 = addLabel("Label2", exchange_texts::kElevesDuFichier, 360, ListBox2);

    // A screen reader hears the count shown, with what it counts.
    auto makePanel = [this](const char* name, const char* description, int left) {
        auto* panel = new QLabel(QStringLiteral("0"), this);
        panel->setObjectName(QLatin1String(name));
        panel->setAccessibleDescription(tr8(description));
        panel->setGeometry(left, 360, 73, 25);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setAlignment(Qt::AlignCenter);
        return panel;
    };
    Panel1 = makePanel("Panel1", exchange_texts::kNombreListeComplete, 120);
    Panel2 = makePanel("Panel2", exchange_texts::kNombreListeTransfert, 472);
}

void TF_trans::setButtonState(ButtonState buttonState) {
    SpeedButton1->setEnabled(buttonState != ButtonState::Importing);
    SpeedButton2->setEnabled(buttonState == ButtonState::Importing);
    SpeedButton3->setEnabled(buttonState == ButtonState::Building);
    SpeedButton4->setEnabled(buttonState != ButtonState::Building);
    BitBtn2->setEnabled(buttonState == ButtonState::Importing);
}

void TF_trans::showCount(QLabel* panel, const SortedListBox* list) {
    panel->setText(QString::number(list->count()));
}

void TF_trans::copySelectedLines(const SortedListBox* from, SortedListBox* to) {
    QList<ListEntry> entries;
    for (const int row : from->selectedRows()) {
        entries.append(from->entry(row));
    }
    for (const ListEntry& entry : entries) {
        to->addLine(entry);
    }
}

void TF_trans::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TF_trans::FormShow() {
    setButtonState(ButtonState::Initial);
    ListBox1->clear();
    ListBox2->clear();
    QList<ListEntry> entries;
    const QList<RecordFailure> failures =
        enumerateRecords(state_.prefix, [&](const QString& number, const TFiche& record) {
            entries.append(recordEntry(record, number, true));
        });
    ListBox1->setEntries(entries);
    showCount(Panel1, ListBox1);
    showCount(Panel2, ListBox2);
    if (!failures.isEmpty()) {
        // Reported once the dialog is on screen.
        const QString report = describeFailures(failures);
        QTimer::singleShot(0, this, [this, report] { platform_.showError(this, report); });
    }
}

void TF_trans::SpeedButton1Click() {
    if (ListBox1->hasCurrentItem()) {
        setButtonState(ButtonState::Building);
        copySelectedLines(ListBox1, ListBox2);
    }
    showCount(Panel2, ListBox2);
}

void TF_trans::SpeedButton2Click() {
    if (ListBox2->hasCurrentItem()) {
        copySelectedLines(ListBox2, ListBox1);
    }
    showCount(Panel1, ListBox1);
}

void TF_trans::SpeedButton3Click() {
    if (ListBox2->count() == 0) {
        return;
    }
    const std::optional<QString> chosen =
        platform_.saveFileName(this, tr8(exchange_texts::kTransferFilter));
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    transferFileName_ = withTransferExtension(*chosen);
    runGuarded(platform_, this, [this] {
        QString message;
        {
            WaitCursor wait(platform_);
            const std::unique_ptr<Progress> progress =
                platform_.startProgress(this, tr8(exchange_texts::kProgressTransferWrite));
            message = PupilFolder(state_).writeTransfer(transferFileName_, ListBox2->entries(),
                                                        [&progress](int done, int total) {
                                                            progress->setProgress(done, total);
                                                            return !progress->cancelled();
                                                        });
        }
        platform_.showMessage(this, message);
    });
}

void TF_trans::SpeedButton4Click() {
    const std::optional<QString> chosen =
        platform_.openFileName(this, tr8(exchange_texts::kTransferFilter));
    if (!chosen) {
        return;
    }
    transferFileName_ = *chosen;
    if (!transferFileName_.isEmpty()) {
        setButtonState(ButtonState::Importing);
        ListBox1->clear();
        ListBox2->clear();
        showCount(Panel1, ListBox1);
        runGuarded(platform_, this, [this] { listTransferRecords(); });
    }
    showCount(Panel2, ListBox2);
}

void TF_trans::listTransferRecords() {
    const PupilFolder::TransferListingResult listing =
        PupilFolder(state_).listTransfer(transferFileName_);
    ListBox2->setEntries(listing.entries);
    for (const QString& message : listing.messages) {
        platform_.showMessage(this, message);
    }
}

void TF_trans::BitBtn2Click() {
    if (!SpeedButton3->isEnabled() && ListBox1->count() > 0) {
        if (!runGuarded(platform_, this, [this] { importTransferPupils(); })) {
            return;
        }
    }
    emit importFinished();
}

void TF_trans::importTransferPupils() {
    WaitCursor wait(platform_);
    PlatformAnswers answers(platform_, this);
    const std::unique_ptr<Progress> progress =
        platform_.startProgress(this, tr8(exchange_texts::kProgressTransferImport));
    const BatchResult result = PupilFolder(state_).importTransfer(
        transferFileName_, ListBox1->entries(), answers,
        {[this](const ListEntry& entry) { emit pupilAdded(entry); },
         [&progress](int done, int total) { progress->setProgress(done, total); },
         [&progress] { return progress->cancelled(); },
         {}});
    for (const QString& message : result.messages) {
        platform_.showMessage(this, message);
    }
}

} // namespace kalidor
