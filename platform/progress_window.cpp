#include "platform/progress_window.h"

#include "platform/platform_texts.h"
#include "records/utf8.h"

#include <QApplication>
#include <QPushButton>

namespace kalidor {

namespace {

// How often a command's progress lets the windows paint and answer.
constexpr qint64 kEventsEveryMs = 30;

} // namespace

ProgressWindow::ProgressWindow(QWidget* parent, QString text, std::chrono::milliseconds delay)
    : parent_(parent), text_(std::move(text)), delay_(delay) {
    started_.start();
    lastEvents_.start();
}

ProgressWindow::~ProgressWindow() {
    delete dialog_;
}

void ProgressWindow::setProgress(int done, int total) {
    if (dialog_ == nullptr && started_.elapsed() >= delay_.count()) {
        dialog_ = new QProgressDialog(parent_);
        dialog_->setObjectName(QStringLiteral("ProgressWindow"));
        dialog_->setWindowTitle(tr8(platform_texts::kProgressCaption));
        dialog_->setCancelButtonText(tr8(platform_texts::kProgressCancel));
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        QObject::connect(dialog_, &QProgressDialog::canceled, [this] { cancelled_ = true; });
        dialog_->show();
    }
    if (dialog_ != nullptr) {
        // One call for both counts: a text may hold other placeholders already filled.
        const QString label = text_.arg(QString::number(done),
                                        total > 0 ? QString::number(total) : QStringLiteral("?"));
        dialog_->setLabelText(label);
        dialog_->setAccessibleDescription(label);
        dialog_->setMaximum(std::max(total, 1));
        dialog_->setValue(std::min(done, std::max(total, 1)));
    }
    if (lastEvents_.elapsed() >= kEventsEveryMs || dialog_ != nullptr) {
        lastEvents_.restart();
        // Once shown, the window keeps the other windows from the user's input (window-modal).
        QApplication::processEvents(dialog_ != nullptr ? QEventLoop::AllEvents
                                                       : QEventLoop::ExcludeUserInputEvents);
    }
}

bool ProgressWindow::cancelled() const {
    return cancelled_;
}

} // namespace kalidor
