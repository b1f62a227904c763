#include "exchange/tf_trans.h"

#include "exchange/exchange_texts.h"
#include "exchange/transfer_file.h"
#include "platform/command_guard.h"
#include "platform/push_buttons.h"
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
    setWindowTitle(tr8(texts::kTransCaption));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
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
    ListBox1 = makeList("ListBox1", texts::kListeComplete, 8);
    ListBox2 = makeList("ListBox2", texts::kElevesDuFichier, 360);

    auto makeButton = [this](const char* name, const char* caption, const QRect& place,
                             const QFont& font, void (TF_trans::*handler)()) {
        auto* button = new QPushButton(tr8(caption), this);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(place);
        button->setFont(font);
        // Return presses the focused button, else the default one.
        pressOnReturn(button);
        if (handler != nullptr) {
            connect(button, &QPushButton::clicked, this, handler);
        }
        return button;
    };
    SpeedButton1 = makeButton("SpeedButton1", texts::kAjouterAuTransfert, {296, 112, 57, 41},
                              arial(14, true), &TF_trans::SpeedButton1Click);
    SpeedButton2 = makeButton("SpeedButton2", texts::kReprendreDuTransfert, {296, 168, 57, 41},
                              arial(14, true), &TF_trans::SpeedButton2Click);
    SpeedButton3 = makeButton("SpeedButton3", texts::kCreerFichier, {392, 416, 249, 41}, arial(12),
                              &TF_trans::SpeedButton3Click);
    SpeedButton4 = makeButton("SpeedButton4", texts::kOuvrirFichier, {392, 464, 249, 41}, arial(12),
                              &TF_trans::SpeedButton4Click);
    BitBtn1 = makeButton("BitBtn1", texts::kFermer, {8, 400, 153, 41}, font(), nullptr);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    BitBtn2 = makeButton("BitBtn2", texts::kOk, {176, 400, 153, 41}, font(), nullptr);
    BitBtn2->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, [this] {
        BitBtn2Click();
        accept();
    });

    auto makeLabel = [this](const char* name, const char* caption, int left, SortedListBox* buddy) {
        auto* label = new QLabel(tr8(caption), this);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(left, 328, 281, 24);
        label->setFont(arial(12));
        label->setAlignment(Qt::AlignCenter);
        label->setBuddy(buddy);
        return label;
    };
    Label1 = makeLabel("Label1", texts::kListeComplete, 8, ListBox1);
    Label2 = makeLabel("Label2", texts::kElevesDuFichier, 360, ListBox2);

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
    Panel1 = makePanel("Panel1", texts::kNombreListeComplete, 120);
    Panel2 = makePanel("Panel2", texts::kNombreListeTransfert, 472);
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
    // A scratch state, so that listing the pupils leaves the current record alone.
    SharedState scratch;
    scratch.prefix = state_.prefix;
    QList<ListEntry> entries;
    const QList<RecordFailure> failures = enumerateRecords(scratch, [&](const QString& number) {
        entries.append({byNameLine(scratch.current.nom(), scratch.current.prenom(),
                                   scratch.current.classe(), number),
                        number});
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
    const std::optional<QString> chosen = platform_.saveFileName(this, tr8(texts::kTransferFilter));
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    transferFileName_ = withTransferExtension(*chosen);
    runGuarded(platform_, this, [this] {
        TransferWriteResult result;
        {
            WaitCursor wait(platform_);
            result = writeTransferFile(state_, transferFileName_, ListBox2->entries());
        }
        if (!result.created) {
            platform_.showMessage(this, tr8(texts::kCreateFailed));
            return;
        }
        platform_.showMessage(this, transferCreatedMessage(transferFileName_, result.leftOut));
    });
}

void TF_trans::SpeedButton4Click() {
    const std::optional<QString> chosen = platform_.openFileName(this, tr8(texts::kTransferFilter));
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
    // Lines go to the list as they are read: those read before a failure stay listed.
    const TransferListing listing = listTransferFile(
        transferFileName_, [this](const ListEntry& entry) { ListBox2->addLine(entry); });
    if (!listing.opened) {
        platform_.showMessage(this, tr8(texts::kOpenFailed));
    }
    if (listing.damaged) {
        platform_.showMessage(this, tr8(texts::kDamagedTransferFile) + QLatin1Char('\n') +
                                        transferFileName_);
    }
    if (listing.capped) {
        platform_.showMessage(this, tr8(texts::kTransferListCapped));
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
    TransferImport progress;
    try {
        WaitCursor wait(platform_);
        importTransferRecords(state_, transferFileName_, ListBox1->entries(), progress,
                              [this](const ListEntry& entry) { emit pupilAdded(entry); });
    } catch (...) {
        // Told before the failure that stopped the import, as they came before it.
        showOpenFailures(progress.openFailures);
        throw;
    }
    showOpenFailures(progress.openFailures);
}

void TF_trans::showOpenFailures(int count) {
    if (count > 0) {
        platform_.showMessage(this, tr8(texts::kOpenFailed));
    }
}

} // namespace kalidor
