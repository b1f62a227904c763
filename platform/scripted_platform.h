#pragma once
// A platform for tests: dialogs are answered from a script and every request is recorded.

#include "platform/platform.h"
#include "platform/scripted_printer.h"

#include <QList>
#include <QStringList>
#include <chrono>

namespace kalidor {

class ScriptedPlatform : public Platform {
public:
    // Answers, taken from the front; a question with no answer left gets Non, a file dialog
    // with no answer left is cancelled.
    QList<bool> yesNoAnswers;
    QList<std::optional<QString>> fileAnswers;

    // What was asked, in order: "message: ...", "question: ...", "error: ...",
    // "open: <filter>", "save: <filter>", "save: <filter> as <default name>". A file answer to a
    // save dialog stands for the user's choice, the replace question answered Oui included.
    QStringList log;
    QStringList messages;
    QStringList questions;
    QStringList errors;
    int waitCursorDepth = 0;
    int processEventsCalls = 0;
    // When set, processEvents also runs the pending events (posted keys, clicks and closes), as
    // the real platform does; else it only counts.
    bool runEvents = false;
    // The printer: print dialog answers and every drawing call.
    ScriptedPrinter printing;

    void showMessage(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& filter) override;
    std::optional<QString> saveFileName(QWidget* parent, const QString& filter,
                                        const QString& defaultName = QString()) override;
    void processEvents() override;
    // A real progress window, shown after `progressDelay` (never, unless a test sets it), whose
    // "Annuler" the script presses once `cancelAfterSteps` steps were reported (none: never).
    std::unique_ptr<Progress> startProgress(QWidget* parent, const QString& text) override;
    std::chrono::milliseconds progressDelay{std::chrono::hours(24)};
    std::optional<int> cancelAfterSteps;
    // Every step reported ("3/28"), and how many progress windows were shown.
    QStringList progressSteps;
    int progressWindowsShown = 0;
    void setWaitCursor(bool on) override;
    Printer& printer() override { return printing; }

private:
    std::optional<QString> nextFileAnswer();
};

} // namespace kalidor
