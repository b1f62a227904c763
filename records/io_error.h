#pragma once
// The input/output error of the record layer, carrying its French message: the one
// ioErrorMessage gives for an errno value, or a message of its own.

#include <QString>
#include <exception>

namespace kalidor {

class IoError : public std::exception {
public:
    explicit IoError(QString message, int errorNumber = 0);

    // The message for an errno value ("Fichier introuvable", "Disque plein", ...).
    static IoError fromErrno(int errorNumber);
    // A file that ends before a whole record was read.
    static IoError shortRead();
    // A named pipe, a socket or a device where a file was expected.
    static IoError notRegularFile();

    // The errno value behind the error, 0 when it has none.
    int errorNumber() const { return errorNumber_; }

    const QString& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
    int errorNumber_;
};

// The French message of an errno value.
QString ioErrorMessage(int errorNumber);

} // namespace kalidor
