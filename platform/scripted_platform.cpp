#include "platform/scripted_platform.h"

#include "platform/progress_window.h"

#include <QCoreApplication>

namespace kalidor {

void ScriptedPlatform::showMessage(QWidget*, const QString& text) {
    log.append(QLatin1String("message: ") + text);
    messages.append(text);
}

bool ScriptedPlatform::askYesNo(QWidget*, const QString& text) {
    log.append(QLatin1String("question: ") + text);
    questions.append(text);
    return yesNoAnswers.isEmpty() ? false : yesNoAnswers.takeFirst();
}

void ScriptedPlatform::showError(QWidget*, const QString& text) {
    log.append(QLatin1String("error: ") + text);
    errors.append(text);
}

std::optional<QString> ScriptedPlatform::nextFileAnswer() {
    return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
}

std::optional<QString> ScriptedPlatform::openFileName(QWidget*, const QString& filter) {
    log.append(QLatin1String("open: ") + filter);
    return nextFileAnswer();
}

std::optional<QString> ScriptedPlatform::saveFileName(QWidget*, const QString& filter,
                                                      const QString& defaultName) {
    log.append(QLatin1String("save: ") + filter +
               (defaultName.isEmpty() ? QString() : QLatin1String(" as ") + defaultName));
    return nextFileAnswer();
}

void ScriptedPlatform::processEvents() {
    ++processEventsCalls;
    if (runEvents) {
        QCoreApplication::processEvents();
    }
}

namespace {

class ScriptedProgress : public Progress {
public:
    ScriptedProgress(ScriptedPlatform& platform, QWidget* parent, const QString& text)
        : platform_(platform), window_(parent, text, platform.progressDelay) {}
    void setProgress(int done, int total) override {
        platform_.progressSteps.append(QStringLiteral("%1/%2").arg(done).arg(total));
        ++steps_;
        const bool hidden = window_.window() == nullptr;
        window_.setProgress(done, total);
        platform_.progressWindowsShown += hidden && window_.window() != nullptr;
    }
    bool cancelled() const override {
        return window_.cancelled() ||
               (platform_.cancelAfterSteps && steps_ >= *platform_.cancelAfterSteps);
    }

private:
    ScriptedPlatform& platform_;
    ProgressWindow window_;
    int steps_ = 0;
};

} // namespace

std::unique_ptr<Progress> ScriptedPlatform::startProgress(QWidget* parent, const QString& text) {
    return std::make_unique<ScriptedProgress>(*this, parent, text);
}

void ScriptedPlatform::setWaitCursor(bool on) {
    waitCursorDepth += on ? 1 : -1;
}

} // namespace kalidor
