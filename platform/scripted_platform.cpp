#include "platform/scripted_platform.h"

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

void ScriptedPlatform::setWaitCursor(bool on) {
    waitCursorDepth += on ? 1 : -1;
}

} // namespace kalidor
