#pragma once
// The transfer dialog: writes chosen pupils to a transfer file, and adds the pupils of a
// transfer file to the data folder as new pupils.

#include "platform/memo.h"
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
    // `mainList` and `mainMemo` are the main window's pupil list and text pane, to which an
    // import adds its pupils and its count line.
    TF_trans(SharedState& state, Platform& platform, SortedListBox* mainList, Memo* mainMemo,
             QWidget* parent = nullptr);

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

    SharedState& state_;
    Platform& platform_;
    SortedListBox* mainList_;
    Memo* mainMemo_;
    QString transferFileName_;
};

} // namespace kalidor
