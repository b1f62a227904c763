#pragma once
// A command's questions and messages in the platform's boxes, over a window.

#include "commands/user_answers.h"
#include "platform/platform.h"

namespace kalidor {

class PlatformAnswers : public UserAnswers {
public:
    PlatformAnswers(Platform& platform, QWidget* parent) : platform_(platform), parent_(parent) {}

    bool ask(const QString& question) override { return platform_.askYesNo(parent_, question); }
    void tell(const QString& message) override { platform_.showMessage(parent_, message); }

private:
    Platform& platform_;
    QWidget* parent_;
};

} // namespace kalidor
