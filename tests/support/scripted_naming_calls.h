#pragma once
// A share's client as a test scripts it: each naming call answers as the script says, in order,
// then as the system does. An answer may carry the call out first (an error after the server did
// the work) or not, and may let another machine act just before or after it.

#include "records/naming_calls.h"

#include <QHash>
#include <QList>
#include <functional>
#include <initializer_list>

namespace kalidor::test {

class ScriptedNamingCalls : public NamingCalls {
public:
    enum class Call { MakeFolder, RenameWithoutReplacing, Link, Rename, OpenForReading };

    struct Answer {
        bool carriedOut = true;            // the real call is made
        int error = 0;                     // the call then fails with this errno; 0: its own result
        std::function<void()> before = {}; // what another machine does just before
        std::function<void()> after = {};  // ... or just after
    };

    void script(Call call, std::initializer_list<Answer> answers) { script_[call].append(answers); }
    int count(Call call) const { return count_.value(call); }
    // The server's clock against this machine's.
    time_t serverClockOffset = 0;

    int makeFolder(const char* path) override {
        return run(Call::MakeFolder, [&] { return NamingCalls::makeFolder(path); });
    }
    int renameWithoutReplacing(const char* from, const char* to) override {
        return run(Call::RenameWithoutReplacing,
                   [&] { return NamingCalls::renameWithoutReplacing(from, to); });
    }
    int link(const char* from, const char* to) override {
        return run(Call::Link, [&] { return NamingCalls::link(from, to); });
    }
    int rename(const char* from, const char* to) override {
        return run(Call::Rename, [&] { return NamingCalls::rename(from, to); });
    }
    int openForReading(const char* path) override {
        return run(
            Call::OpenForReading, [&] { return NamingCalls::openForReading(path); }, true);
    }
    // Pauses take no time here; they are counted.
    void pause(std::chrono::milliseconds) override { ++pauses; }
    int pauses = 0;

    time_t serverTime(const QByteArray& folder) override {
        const time_t now = NamingCalls::serverTime(folder);
        return now < 0 ? now : now + serverClockOffset;
    }

private:
    int run(Call call, const std::function<int()>& real, bool givesDescriptor = false);

    QHash<Call, QList<Answer>> script_;
    QHash<Call, int> count_;
};

} // namespace kalidor::test
