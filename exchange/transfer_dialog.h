#pragma once
// The transfer dialog: writes chosen pupils to a transfer file, and adds the pupils of a
// transfer file to the data folder as new pupils.

#include "platform/platform.h"
#include "platform/sorted_list_box.h"
#include "records/shared_state.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace kalidor {

class TF_trans : public QDialog {
    Q_OBJECT
public:
    TF_trans(SharedState& state, Platform& platform, QWidget* parent = nullptr);

    // The transfer file created or opened last; kept while the program runs.
    const QString& transferFileName() const { return transferFileName_; }

    SortedListBox* ListBox1 = nullptr;
    SortedListBox* ListBox2 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QPushButton* SpeedButton4 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

signals:
    // A pupil the import created, with its line in the main list's format, as soon as its
    // record file exists.
    void pupilAdded(const ListEntry& entry);
    // "OK" ran to its end: the main list's count line is due.
    void importFinished();

public slots:
    void FormShow();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void BitBtn2Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum class ButtonState { Initial, Building, Importing };

    void buildControls();
    void setButtonState(ButtonState buttonState);
    void showCount(QLabel* panel, const SortedListBox* list);
    // Adds the selected lines of `from` to `to`; they stay in `from`.
    static void copySelectedLines(const SortedListBox* from, SortedListBox* to);
    void listTransferRecords();
    void importTransferPupils();

    SharedState& state_;
    Platform& platform_;
    QString transferFileName_;
};

} // namespace kalidor
