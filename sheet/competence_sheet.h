#pragma once
// The competence sheet of one pupil: identity, the 51 competences with their ticks and
// details, and the level results. It works on the shared current record, read from the
// current record file on opening and written back by "Enregistrer".

#include "platform/edit_fields.h"
#include "platform/memo.h"
#include "platform/platform.h"
#include "records/shared_state.h"
#include "sheet/sheet_pages.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <array>
#include <optional>

namespace kalidor {

class TF_saisi1 : public QDialog {
    Q_OBJECT
public:
    TF_saisi1(SharedState& state, Platform& platform, QWidget* parent = nullptr);

    // The pupil the sheet shows when it opens next: its number, whose file becomes the current
    // file, and the record read from it; nothing when the file does not exist (a blank sheet).
    // The sheet keeps that record to tell, on saving, what another machine did meanwhile.
    void setPupil(const QString& numberText, const std::optional<TFiche>& record);
    // The number the pupil was saved under by the last "Enregistrer": its own, or a new one when
    // another machine deleted it or gave its number to another pupil meanwhile.
    const QString& savedNumber() const { return numberText_; }

    // The slot of the item selected last (0 when none since opening) and whether an item is
    // selected on the current page.
    int currentSlot() const { return currentSlot_; }
    bool itemSelected() const { return itemSelected_ != ItemSelected::None; }

    QLineEdit* EditNom = nullptr;
    QLineEdit* Editprenom = nullptr;
    QLineEdit* Editclas = nullptr;
    MaskedDateEdit* Maskdatenais = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QLabel* Label18 = nullptr;
    QLabel* Label36 = nullptr;
    Memo* Memo2 = nullptr;
    Memo* Memo3 = nullptr;
    QLineEdit* Editprof = nullptr;
    QLabel* Lab11 = nullptr;
    MaskedDateEdit* Maskdate = nullptr;
    QLineEdit* Editdisci = nullptr;
    Memo* Memo1 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

public slots:
    void RadioGroup1Click() { radioGroupClick(1); }
    void RadioGroup2Click() { radioGroupClick(2); }
    void RadioGroup3Click() { radioGroupClick(3); }
    void RadioGroup4Click() { radioGroupClick(4); }
    void RadioGroup5Click() { radioGroupClick(5); }
    void RadioGroup6Click() { radioGroupClick(6); }
    void RadioGroup7Click() { radioGroupClick(7); }
    void RadioGroup8Click() { radioGroupClick(8); }
    void RadioGroup9Click() { radioGroupClick(9); }
    void RadioGroup10Click() { radioGroupClick(10); }
    void PageControl1Change();
    void SpeedButton1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class ItemSelected { None, Level1, Level2 };

    void buildIdentityPanel();
    void buildPages();
    void buildDetailsPanel();

    void FormShow();
    void radioGroupClick(int groupNumber);
    // Stores the detail fields under the current slot, in memory.
    void storeDetails();
    void clearSelection();
    void showDescription(int slot);
    void showIdentity();
    void clearIdentity();
    // The verdict of a level on the check boxes, into its result label.
    void showVerdict(int level);

    SharedState& state_;
    Platform& platform_;
    std::array<SheetRadioGroup, 10> radioGroups_;
    QList<QCheckBox*> checkBoxes_; // slot s at s - 1
    QString numberText_;
    std::optional<TFiche> opened_; // the record as read on opening; nothing when there was none
    int currentSlot_ = 0;
    ItemSelected itemSelected_ = ItemSelected::None;
};

} // namespace kalidor
