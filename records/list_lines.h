#pragma once
// The lines of the main pupil list and the count line under it.

#include "records/tfiche.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kalidor {

// A line of a pupil list and the number text of the file it stands for. The number is kept
// beside the line, never read back from it: a file name can imitate a line's ending
// ("x - n° 3.b2i" is listed as "... - n° x - n° 3").
struct ListEntry {
    QString line;
    QString number;
    // The fingerprint (recordStamp) of the record the line was made from, 0 when unknown: tells
    // whether the file changed since, on a folder other machines share.
    size_t stamp = 0;
    // The fingerprint (identityStamp) of the pupil it shows, 0 when unknown: tells whether the
    // number now holds another pupil.
    size_t identity = 0;
};

// Whether the commands may act on the file of a number text: a plain run of digits, "007"
// included. Any other name ("abc", "copie 2", "5.sauv") is listed but never opened, printed,
// deleted or transferred.
bool isRecordNumber(const QString& numberText);

// A fingerprint of a record, kept with its list line to tell later whether its file changed.
size_t recordStamp(const TFiche& record);

// The list entry of a record: its line in the format the sort flag selects, its number text and
// its fingerprint.
ListEntry recordEntry(const TFiche& record, const QString& numberText, bool byName);

// The lines alone.
QStringList linesOf(const QList<ListEntry>& entries);

// Nom + " " + Prénom + " " + Classe + " - n° " + number.
QString byNameLine(const QString& nom, const QString& prenom, const QString& classe,
                   const QString& numberText);
// Classe + " : " + Nom + " " + Prénom + " - n° " + number.
QString byClassLine(const QString& nom, const QString& prenom, const QString& classe,
                    const QString& numberText);
// The line of a record in the format the sort flag selects.
QString recordLine(const TFiche& record, const QString& numberText, bool byName);

// The part of a list line before the "n°" of its number: "DUPONT Marie 6A - ".
QString lineBeforeNumber(const QString& line);

} // namespace kalidor
