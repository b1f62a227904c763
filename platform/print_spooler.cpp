#include "platform/print_spooler.h"

#include "records/library_on_demand.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <thread>

namespace kalidor {

const CupsLibrary* cupsLibrary() {
    static const std::optional<CupsLibrary> library = []() -> std::optional<CupsLibrary> {
        void* handle = openLibrary({"libcups.so.2"});
        if (handle == nullptr) {
            return std::nullopt;
        }
        const auto symbol = [handle](auto& function, const char* name) {
            return resolve(handle, function, name);
        };
        CupsLibrary found{};
        if (!symbol(found.lastError, "cupsLastError") ||
            !symbol(found.lastErrorString, "cupsLastErrorString") ||
            !symbol(found.getNamedDest, "cupsGetNamedDest") ||
            !symbol(found.getOption, "cupsGetOption") ||
            !symbol(found.freeDests, "cupsFreeDests") || !symbol(found.getJobs2, "cupsGetJobs2") ||
            !symbol(found.freeJobs, "cupsFreeJobs") ||
            !symbol(found.cancelJob2, "cupsCancelJob2") || !symbol(found.server, "cupsServer") ||
            !symbol(found.port, "ippPort") || !symbol(found.encryption, "cupsEncryption") ||
            !symbol(found.connect, "httpConnect2") || !symbol(found.setTimeout, "httpSetTimeout") ||
            !symbol(found.close, "httpClose") || !symbol(found.assembleUri, "httpAssembleURIf") ||
            !symbol(found.newRequest, "ippNewRequest") ||
            !symbol(found.addString, "ippAddString") || !symbol(found.doRequest, "cupsDoRequest") ||
            !symbol(found.statusCode, "ippGetStatusCode") ||
            !symbol(found.findAttribute, "ippFindAttribute") ||
            !symbol(found.getBoolean, "ippGetBoolean") ||
            !symbol(found.deleteMessage, "ippDelete")) {
            return std::nullopt;
        }
        return found;
    }();
    return library ? &*library : nullptr;
}

namespace {

// libcups waits a second for an answer before it starts counting this time-out, so a question
// gives up after about three seconds.
constexpr double kAnswerSeconds = 2.0;
constexpr int kConnectMs = 2000;
// How long the windows wait for a question in all; its thread ends by itself after that.
constexpr int kWaitMs = 5000;
constexpr std::chrono::milliseconds kPaintInterval(20);

struct MessageDeleter {
    decltype(&::ippDelete) deleteMessage;
    void operator()(ipp_t* message) const { deleteMessage(message); }
};
using Message = std::unique_ptr<ipp_t, MessageDeleter>;

// A connection to the spooler of its own, which gives up on an answer after kAnswerSeconds.
class Connection {
public:
    explicit Connection(const CupsLibrary& cups)
        : cups_(cups), http_(cups.connect(cups.server(), cups.port(), nullptr, AF_UNSPEC,
                                          cups.encryption(), 1, kConnectMs, nullptr)) {
        if (http_ != nullptr) {
            cups_.setTimeout(http_, kAnswerSeconds, &Connection::giveUp, &timedOut_);
        }
    }
    ~Connection() {
        if (http_ != nullptr) {
            cups_.close(http_);
        }
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Null when no spooler could be reached.
    http_t* http() const { return http_; }
    bool timedOut() const { return timedOut_; }

    // The answer to a request (which this takes), null when there was none.
    Message ask(ipp_t* request) const {
        return Message(cups_.doRequest(http_, request, "/"), {cups_.deleteMessage});
    }

private:
    static int giveUp(http_t*, void* timedOut) {
        *static_cast<bool*>(timedOut) = true;
        return 0;
    }

    const CupsLibrary& cups_;
    http_t* http_;
    bool timedOut_ = false;
};

bool spoolerAnswersNow(const CupsLibrary& cups) {
    const Connection connection(cups);
    if (connection.http() == nullptr) {
        return true;
    }
    connection.ask(cups.newRequest(IPP_OP_CUPS_GET_DEFAULT));
    return !connection.timedOut();
}

QueueAnswer askQueueNow(const CupsLibrary& cups, const QByteArray& queue) {
    const Connection connection(cups);
    if (connection.http() != nullptr) {
        char uri[HTTP_MAX_URI];
        cups.assembleUri(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost",
                         cups.port(), "/printers/%s", queue.constData());
        ipp_t* request = cups.newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
        cups.addString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                       "printer-is-accepting-jobs");
        const auto response = connection.ask(request);
        if (connection.timedOut()) {
            return {QueueAnswer::Silent, {}};
        }
        if (response && cups.statusCode(response.get()) < IPP_STATUS_REDIRECTION_OTHER_SITE) {
            ipp_attribute_t* accepting =
                cups.findAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
            const bool refuses = accepting != nullptr && cups.getBoolean(accepting, 0) == 0;
            return {refuses ? QueueAnswer::Refuses : QueueAnswer::Accepts, {}};
        }
    }
    // Not a queue of that spooler (a printer found on the network, say), or no spooler reached:
    // libcups looks for it as for any destination.
    cups_dest_t* dest = cups.getNamedDest(connection.http(), queue.constData(), nullptr);
    if (connection.timedOut()) {
        return {QueueAnswer::Silent, {}};
    }
    if (dest == nullptr) {
        if (cups.lastError() == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS) {
            return {QueueAnswer::Refuses, {}};
        }
        return {QueueAnswer::Unknown, QString::fromUtf8(cups.lastErrorString())};
    }
    // A printer that does not say (one found on the network, say) is taken as accepting.
    const char* accepting =
        cups.getOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting != nullptr && qstrcmp(accepting, "false") == 0;
    cups.freeDests(1, dest);
    return {refuses ? QueueAnswer::Refuses : QueueAnswer::Accepts, {}};
}

// The answer of `question`, asked from a thread of its own while the windows keep painting;
// nothing when it takes longer than kWaitMs.
template <typename Answer> std::optional<Answer> askOffThread(std::function<Answer()> question) {
    std::packaged_task<Answer()> task(std::move(question));
    std::future<Answer> answer = task.get_future();
    std::thread(std::move(task)).detach();
    const QDeadlineTimer deadline(kWaitMs);
    while (answer.wait_for(kPaintInterval) != std::future_status::ready) {
        if (deadline.hasExpired()) {
            return std::nullopt;
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return answer.get();
}

} // namespace

bool spoolerAnswers(const CupsLibrary& cups) {
    return askOffThread<bool>([&cups] { return spoolerAnswersNow(cups); }).value_or(false);
}

QueueAnswer askQueue(const CupsLibrary& cups, const QByteArray& queue) {
    return askOffThread<QueueAnswer>([&cups, queue] { return askQueueNow(cups, queue); })
        .value_or(QueueAnswer{});
}

} // namespace kalidor
