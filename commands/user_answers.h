#pragma once
// What a command asks the user and tells them on its way: the windows answer with the
// platform's boxes, the tests and the command line with a script of their own.

#include <QString>

namespace kalidor {

class UserAnswers {
public:
    virtual ~UserAnswers() = default;
    // A question answered Oui (true) or Non.
    virtual bool ask(const QString& question) = 0;
    // Something the user must know before the command goes on.
    virtual void tell(const QString& message) = 0;
};

} // namespace kalidor
