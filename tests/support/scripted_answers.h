#pragma once
// A user who answers a command's questions from a list, Non once it runs out, and remembers
// every question and message, in order.

#include "commands/user_answers.h"

#include <QList>
#include <QStringList>
#include <initializer_list>

namespace kalidor::test {

class ScriptedAnswers : public UserAnswers {
public:
    ScriptedAnswers(std::initializer_list<bool> answers = {}) : answers_(answers) {}

    bool ask(const QString& question) override {
        questions.append(question);
        return !answers_.isEmpty() && answers_.takeFirst();
    }
    void tell(const QString& message) override { messages.append(message); }

    QStringList questions;
    QStringList messages;

private:
    QList<bool> answers_;
};

} // namespace kalidor::test
