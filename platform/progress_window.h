#pragma once
// The window of a long command: what it does and how far it is ("Import de la classe 6A…
// 12/28"), with "Annuler". It shows once the command has lasted a moment, and while the command
// runs on the interface thread, the windows go on painting and answering a screen reader.

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <chrono>

namespace kalidor {

// Where a long command is, and whether the user asked it to stop.
class Progress {
public:
    virtual ~Progress() = default;
    // Where the command is: `done` of `total` (0: not known yet).
    virtual void setProgress(int done, int total) = 0;
    // Whether the user asked the command to stop.
    virtual bool cancelled() const = 0;
};

class ProgressWindow : public Progress {
public:
    // `text` holds %1 and %2 for the count done and the count in all. The window shows after
    // `delay`, never when the command ends before.
    ProgressWindow(QWidget* parent, QString text, std::chrono::milliseconds delay);
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    // Also lets the windows paint; before the window shows, what the user types or clicks waits,
    // so that no other command starts meanwhile.
    void setProgress(int done, int total) override;
    // "Annuler", Esc or the close box.
    bool cancelled() const override;
    // The window, once shown; null before.
    QProgressDialog* window() const { return dialog_; }

private:
    QWidget* parent_;
    QString text_;
    std::chrono::milliseconds delay_;
    QElapsedTimer started_;
    QElapsedTimer lastEvents_;
    QPointer<QProgressDialog> dialog_;
    bool cancelled_ = false;
};

} // namespace kalidor
