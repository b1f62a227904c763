#include "exchange/school_directory.h"

#include "exchange/class_file.h"
#include "exchange/exchange_texts.h"
#include "exchange/zip_library.h"
#include "records/io_error.h"
#include "records/posix_file.h"
#include "records/utf8.h"

#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QXmlStreamReader>
#include <algorithm>
#include <array>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <utility>

namespace kalidor {

namespace {

constexpr char kExportEntry[] = "ElevesSansAdresses.xml";
constexpr char kInactive[] = "Inactifs";
// The CSV columns read, found by their header.
constexpr const char* kCsvColumns[] = {"Nom élève", "Prénom élève", "Date naissance", "Niveau",
                                       "Libellé classe"};
enum CsvColumn { kCsvNom, kCsvPrenom, kCsvDate, kCsvNiveau, kCsvClasse, kCsvColumnCount };

IoError refusal(const char* text, const QString& fileName) {
    return IoError(tr8(text).arg(fileName));
}

// Files a pupil under those imported or those left out.
void sortPupil(SchoolDirectory& directory, DirectoryPupil pupil, bool left) {
    std::optional<IgnoredReason> reason;
    if (left) {
        reason = IgnoredReason::Left;
    } else if (pupil.classe.compare(QLatin1String(kInactive), Qt::CaseInsensitive) == 0) {
        reason = IgnoredReason::Inactive;
    } else if (pupil.nom.isEmpty()) {
        reason = IgnoredReason::NoName;
    }
    if (reason) {
        directory.ignored.append({std::move(pupil), *reason});
    } else {
        directory.pupils.append(std::move(pupil));
    }
}

// --- The collège's XML ---

struct XmlPupil {
    DirectoryPupil pupil;
    QString nomDeFamille; // the newer files' name, preferred to NOM
    bool left = false;
};

QString elementText(QXmlStreamReader& xml) {
    return xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
}

void readEleve(QXmlStreamReader& xml, QList<XmlPupil>& pupils) {
    XmlPupil eleve;
    eleve.pupil.source = xml.attributes().value(QLatin1String("ELEVE_ID")).trimmed().toString();
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name == QLatin1String("NOM_DE_FAMILLE")) {
            eleve.nomDeFamille = elementText(xml);
        } else if (name == QLatin1String("NOM")) {
            eleve.pupil.nom = elementText(xml);
        } else if (name == QLatin1String("PRENOM")) {
            eleve.pupil.prenom = elementText(xml);
        } else if (name == QLatin1String("DATE_NAISS")) {
            eleve.pupil.dateNaissance = elementText(xml);
        } else if (name == QLatin1String("DATE_SORTIE")) {
            eleve.left = !elementText(xml).isEmpty();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (!eleve.nomDeFamille.isEmpty()) {
        eleve.pupil.nom = eleve.nomDeFamille;
    }
    pupils.append(std::move(eleve));
}

// The class of one pupil: the code of its structure of type D (the others are groups).
void readStructuresEleve(QXmlStreamReader& xml, QHash<QString, QString>& classes) {
    const QString id = xml.attributes().value(QLatin1String("ELEVE_ID")).trimmed().toString();
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("STRUCTURE")) {
            xml.skipCurrentElement();
            continue;
        }
        QString code;
        QString type;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("CODE_STRUCTURE")) {
                code = elementText(xml);
            } else if (xml.name() == QLatin1String("TYPE_STRUCTURE")) {
                type = elementText(xml);
            } else {
                xml.skipCurrentElement();
            }
        }
        if (type == QLatin1String("D") && !classes.contains(id)) {
            classes.insert(id, code);
        }
    }
}

// Calls `read` for each child element named `child`, skipping the others.
template <typename Read> void forEachChild(QXmlStreamReader& xml, const char* child, Read read) {
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String(child)) {
            read();
        } else {
            xml.skipCurrentElement();
        }
    }
}

// Reads BEE_ELEVES from `device`; the reader decodes the encoding the file declares.
SchoolDirectory readBeeEleves(QIODevice& device, const QString& fileName) {
    QXmlStreamReader xml(&device);
    if (xml.readNextStartElement() && xml.name() != QLatin1String("BEE_ELEVES")) {
        throw refusal(exchange_texts::kNotBeeEleves, fileName);
    }
    QList<XmlPupil> pupils;
    QHash<QString, QString> classes;
    forEachChild(xml, "DONNEES", [&] {
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("ELEVES")) {
                forEachChild(xml, "ELEVE", [&] { readEleve(xml, pupils); });
            } else if (xml.name() == QLatin1String("STRUCTURES")) {
                forEachChild(xml, "STRUCTURES_ELEVE", [&] { readStructuresEleve(xml, classes); });
            } else {
                xml.skipCurrentElement();
            }
        }
    });
    if (xml.hasError()) {
        throw IoError(
            tr8(exchange_texts::kDamagedXml).arg(fileName, QString::number(xml.lineNumber())));
    }
    SchoolDirectory directory;
    for (XmlPupil& eleve : pupils) {
        eleve.pupil.classe = classes.value(eleve.pupil.source);
        sortPupil(directory, std::move(eleve.pupil), eleve.left);
    }
    return directory;
}

// One entry of a zip archive read as it is inflated.
class ZipEntryDevice : public QIODevice {
public:
    ZipEntryDevice(const ZipLibrary& zip, zip_file_t* entry) : zip_(zip), entry_(entry) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool failed() const { return failed_; }

protected:
    qint64 readData(char* data, qint64 size) override {
        const zip_int64_t got = zip_.read(entry_, data, static_cast<zip_uint64_t>(size));
        failed_ = failed_ || got < 0;
        return got;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    const ZipLibrary& zip_;
    zip_file_t* entry_;
    bool failed_ = false;
};

SchoolDirectory readZip(const QString& fileName) {
    const ZipLibrary* zip = zipLibrary();
    if (zip == nullptr) {
        throw refusal(exchange_texts::kZipUnreadableHere, fileName);
    }
    int error = 0;
    const std::unique_ptr<zip_t, decltype(zip->discard)> archive(
        zip->open(posix::path(fileName).constData(), ZIP_RDONLY, &error), zip->discard);
    if (!archive) {
        throw refusal(exchange_texts::kDamagedZip, fileName);
    }
    const zip_int64_t index =
        zip->nameLocate(archive.get(), kExportEntry, ZIP_FL_NOCASE | ZIP_FL_NODIR);
    if (index < 0) {
        throw refusal(exchange_texts::kZipWithoutExport, fileName);
    }
    const std::unique_ptr<zip_file_t, decltype(zip->closeEntry)> entry(
        zip->openEntry(archive.get(), static_cast<zip_uint64_t>(index), 0), zip->closeEntry);
    if (!entry) {
        throw refusal(exchange_texts::kDamagedZip, fileName);
    }
    ZipEntryDevice device(*zip, entry.get());
    try {
        return readBeeEleves(device, fileName);
    } catch (const IoError&) {
        if (device.failed()) {
            throw refusal(exchange_texts::kDamagedZip, fileName);
        }
        throw;
    }
}

// --- The primary school's CSV ---

// The next row, its fields split at the ';' outside quotes ("" in quotes is one quote). A
// quoted field may hold line breaks; blank lines are skipped.
std::optional<QStringList> nextCsvRow(ClassFileReader& reader) {
    QStringList fields;
    QString field;
    bool quoted = false;
    while (const std::optional<QString> line = reader.nextLine()) {
        if (!quoted && fields.isEmpty() && field.isEmpty() && !line->contains(QLatin1Char('"'))) {
            // A row without quotes, as most are: split at once.
            if (line->isEmpty()) {
                continue;
            }
            return line->split(QLatin1Char(';'));
        }
        for (qsizetype i = 0; i < line->size(); ++i) {
            const QChar ch = line->at(i);
            if (ch == QLatin1Char('"')) {
                if (quoted && i + 1 < line->size() && line->at(i + 1) == QLatin1Char('"')) {
                    field.append(ch);
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else if (ch == QLatin1Char(';') && !quoted) {
                fields.append(std::exchange(field, QString()));
            } else {
                field.append(ch);
            }
        }
        if (!quoted) {
            break;
        }
        field.append(QLatin1Char('\n'));
    }
    if (fields.isEmpty() && field.isEmpty()) {
        return std::nullopt;
    }
    fields.append(field);
    return fields;
}

SchoolDirectory readCsv(const QString& fileName) {
    ClassFileReader reader(fileName);
    QStringList header;
    if (reader.isOpen()) {
        for (const QString& name : nextCsvRow(reader).value_or(QStringList())) {
            header.append(matchingKey(name));
        }
    }
    std::array<qsizetype, kCsvColumnCount> columns{};
    for (int column = 0; column < kCsvColumnCount; ++column) {
        columns[column] = header.indexOf(matchingKey(tr8(kCsvColumns[column])));
        if (columns[column] < 0) {
            throw refusal(exchange_texts::kNotDirectoryExport, fileName);
        }
    }
    SchoolDirectory directory;
    while (const std::optional<QStringList> row = nextCsvRow(reader)) {
        if (std::all_of(row->cbegin(), row->cend(),
                        [](const QString& text) { return text.trimmed().isEmpty(); })) {
            continue; // an empty row of a spreadsheet
        }
        const auto field = [&](CsvColumn column) { return row->value(columns[column]).trimmed(); };
        DirectoryPupil pupil{field(kCsvNom), field(kCsvPrenom), field(kCsvDate), field(kCsvClasse),
                             QString()};
        if (pupil.classe.isEmpty()) {
            pupil.classe = field(kCsvNiveau);
        }
        sortPupil(directory, std::move(pupil), false);
    }
    if (!reader.isText()) {
        throw refusal(exchange_texts::kNotDirectoryExport, fileName);
    }
    return directory;
}

// Whether the first bytes open an XML document (after a UTF-8 byte-order mark and blanks).
bool startsLikeXml(QByteArrayView head) {
    if (head.startsWith("\xEF\xBB\xBF")) {
        head = head.sliced(3);
    }
    const auto text = std::find_if(head.begin(), head.end(), [](char byte) {
        return byte != ' ' && byte != '\t' && byte != '\r' && byte != '\n';
    });
    return text != head.end() && *text == '<';
}

} // namespace

SchoolDirectory readSchoolDirectory(const QString& fileName) {
    posix::File file = posix::openNoWait(AT_FDCWD, posix::path(fileName).constData());
    char buffer[256];
    const QByteArrayView head(
        buffer, static_cast<qsizetype>(posix::readUpTo(file, 0, buffer, sizeof buffer)));
    if (head.startsWith("PK\x03\x04") ||
        fileName.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive)) {
        return readZip(fileName);
    }
    if (startsLikeXml(head)) {
        QFile device;
        device.open(file.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
        return readBeeEleves(device, fileName);
    }
    return readCsv(fileName);
}

QString ignoredReasonText(IgnoredReason reason) {
    switch (reason) {
    case IgnoredReason::Left:
        return tr8(exchange_texts::kIgnoredLeft);
    case IgnoredReason::Inactive:
        return tr8(exchange_texts::kIgnoredInactive);
    case IgnoredReason::NoName:
        break;
    }
    return tr8(exchange_texts::kIgnoredNoName);
}

namespace {

QString decomposedKey(const QString& text) {
    QString key = text.normalized(QString::NormalizationForm_D);
    key.removeIf([](QChar ch) { return ch.category() == QChar::Mark_NonSpacing; });
    return key.toCaseFolded();
}

} // namespace

QString matchingKey(const QString& text) {
    // A name of the Latin-1 letters, as nearly all are, is keyed a character at a time from a
    // table of what the full decomposition gives each one: it costs a tenth.
    static const std::array<QString, 256> latin1 = [] {
        std::array<QString, 256> keys;
        for (char16_t ch = 0; ch < 256; ++ch) {
            keys[ch] = decomposedKey(QString(QChar(ch)));
        }
        return keys;
    }();
    const bool inTable =
        std::all_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.unicode() < 256; });
    if (!inTable) {
        return decomposedKey(text).trimmed();
    }
    QString key(text.size(), Qt::Uninitialized);
    qsizetype length = 0;
    for (const QChar ch : text) {
        const QString& part = latin1[ch.unicode()];
        if (part.size() == 1) {
            key[length++] = part.front();
        } else {
            key.resize(length); // ß folds to two letters
            key += part;
            length = key.size();
            key.resize(length + text.size());
        }
    }
    key.resize(length);
    return key.trimmed();
}

} // namespace kalidor
