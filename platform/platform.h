#pragma once
// The desktop services the windows use. The windows never open a message box or a file dialog
// themselves: they ask the platform, so that tests can answer from a script.

#include <QString>
#include <memory>
#include <optional>

class QWidget;

namespace kalidor {

class Printer;
class Progress;

class Platform {
public:
    virtual ~Platform() = default;

    // Information box with an OK button.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // Warning box with Oui and Non; true for Oui.
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
    // The standard error box: an IoError's message, or another failure's (command_guard.h).
    virtual void showError(QWidget* parent, const QString& text) = 0;

    // File dialogs. `filter` is written "Description|*.ext|Other|*.*"; nothing when cancelled,
    // an empty text when accepted without a name.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& filter) = 0;
    // The save dialog proposes `defaultName` when one is given; it asks before a file is
    // replaced.
    virtual std::optional<QString> saveFileName(QWidget* parent, const QString& filter,
                                                const QString& defaultName = QString()) = 0;

    // Lets pending window events run during a long command.
    virtual void processEvents() = 0;
    // The hourglass cursor while `on`, the default cursor after.
    virtual void setWaitCursor(bool on) = 0;

    // The progress of a long command; its window shows once the command has lasted a moment.
    // `text` holds %1 and %2 for the count done and the count in all.
    virtual std::unique_ptr<Progress> startProgress(QWidget* parent, const QString& text) = 0;

    // The printer and its print dialog, one for the program's life.
    virtual Printer& printer() = 0;
};

// "Fichiers transfert|*.b2t" as a Qt file dialog filter "Fichiers transfert (*.b2t)".
QString qtFileFilter(const QString& filter);

} // namespace kalidor
