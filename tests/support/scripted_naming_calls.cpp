#include "tests/support/scripted_naming_calls.h"

#include <cerrno>
#include <unistd.h>

namespace kalidor::test {

int ScriptedNamingCalls::run(Call call, const std::function<int()>& real, bool givesDescriptor) {
    ++count_[call];
    QList<Answer>& answers = script_[call];
    if (answers.isEmpty()) {
        return real();
    }
    const Answer answer = answers.takeFirst();
    if (answer.before) {
        answer.before();
    }
    int result = answer.carriedOut ? real() : 0;
    const int error = errno;
    if (answer.after) {
        answer.after();
    }
    if (answer.error == 0) {
        errno = error;
        return result;
    }
    if (givesDescriptor && result >= 0 && answer.carriedOut) {
        ::close(result);
    }
    errno = answer.error;
    return -1;
}

} // namespace kalidor::test
