#pragma once
// The system's print spooler (CUPS), asked through libcups.
//
// A spooler that takes the connection and never answers holds a question on libcups' own
// connection for minutes, and Qt asks on that connection as it makes a printer or its print
// dialog. So the questions here go on a connection of their own that gives up after a few
// seconds, from a thread of their own, while the windows keep painting; typing and clicks wait
// until the answer.

#include <QByteArray>
#include <QString>
#include <cups/cups.h>

namespace kalidor {

// libcups, opened the first time the spooler is asked: the program starts without it and the
// twenty libraries it brings (Qt's own spooler support opens it with the print dialog, and the
// same library answers both). Null when the machine has no libcups: then there is no spooler to
// ask either.
struct CupsLibrary {
    decltype(&::cupsLastError) lastError;
    decltype(&::cupsLastErrorString) lastErrorString;
    decltype(&::cupsGetNamedDest) getNamedDest;
    decltype(&::cupsGetOption) getOption;
    decltype(&::cupsFreeDests) freeDests;
    decltype(&::cupsGetJobs2) getJobs2;
    decltype(&::cupsFreeJobs) freeJobs;
    decltype(&::cupsCancelJob2) cancelJob2;
    decltype(&::cupsServer) server;
    decltype(&::ippPort) port;
    decltype(&::cupsEncryption) encryption;
    decltype(&::httpConnect2) connect;
    decltype(&::httpSetTimeout) setTimeout;
    decltype(&::httpClose) close;
    decltype(&::httpAssembleURIf) assembleUri;
    decltype(&::ippNewRequest) newRequest;
    decltype(&::ippAddString) addString;
    decltype(&::cupsDoRequest) doRequest;
    decltype(&::ippGetStatusCode) statusCode;
    decltype(&::ippFindAttribute) findAttribute;
    decltype(&::ippGetBoolean) getBoolean;
    decltype(&::ippDelete) deleteMessage;
};
const CupsLibrary* cupsLibrary();

// Whether the spooler answers at all. True when there is none to reach (none runs here, say):
// there is nothing to wait for then.
bool spoolerAnswers(const CupsLibrary& cups);

// What the spooler says of a print queue.
struct QueueAnswer {
    enum State { Accepts, Refuses, Unknown, Silent };
    State state = Silent;
    // Unknown: why, in the spooler's own words.
    QString why;
};
QueueAnswer askQueue(const CupsLibrary& cups, const QByteArray& queue);

} // namespace kalidor
