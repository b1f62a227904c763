#pragma once
// A temporary data folder for one test, with helpers to lay record files in it.

#include "records/shared_state.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <ostream>

// Failed expectations on texts print them as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace kalidor::test {

class TestFolder {
public:
    TestFolder();

    // The folder's path with a trailing '/', as the program's data folder is written.
    QString prefix() const;
    QString path(const QString& name) const { return prefix() + name; }

    void writeBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray readBytes(const QString& name) const;
    void writeRecord(const QString& name, const TFiche& record) const;
    // A pupil record file "<number>.b2i".
    void writePupil(int number, const QString& nom, const QString& prenom, const QString& classe,
                    std::initializer_list<int> validatedSlots = {}) const;
    // Every entry of the folder, sorted by name.
    QStringList entries() const;
    // Copies a side file of the built program (bo.txb, the descriptions) into the folder.
    void copySideFile(const QString& name) const;

    SharedState state() const;

private:
    QTemporaryDir dir_;
};

// A fresh blank record with the given identity and validated slots.
TFiche makeRecord(const QString& nom, const QString& prenom, const QString& classe,
                  std::initializer_list<int> validatedSlots = {});

// Record bytes as a QByteArray, to compare with file contents.
QByteArray recordBytes(const TFiche& record);

} // namespace kalidor::test
