#include "tests/support/test_folder.h"

#include "records/record_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace kalidor::test {

TestFolder::TestFolder() {
    EXPECT_TRUE(dir_.isValid());
}

QString TestFolder::prefix() const {
    return dir_.path() + QLatin1Char('/');
}

void TestFolder::writeBytes(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray TestFolder::readBytes(const QString& name) const {
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

void TestFolder::writeRecord(const QString& name, const TFiche& record) const {
    writeBytes(name, recordBytes(record));
}

void TestFolder::writePupil(int number, const QString& nom, const QString& prenom,
                            const QString& classe,
                            std::initializer_list<int> validatedSlots) const {
    writeRecord(QString::number(number) + QLatin1String(".b2i"),
                makeRecord(nom, prenom, classe, validatedSlots));
}

QStringList TestFolder::entries() const {
    return QDir(dir_.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

void TestFolder::copySideFile(const QString& name) const {
    // The side files are built beside the test programs.
    const QString builtFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    const QString source =
        qEnvironmentVariable("KALIDOR_SIDE_FILES", builtFolder) + QLatin1Char('/') + name;
    ASSERT_TRUE(QFile::copy(source, path(name))) << source.toStdString();
}

SharedState TestFolder::state() const {
    SharedState state;
    state.prefix = prefix();
    return state;
}

TFiche makeRecord(const QString& nom, const QString& prenom, const QString& classe,
                  std::initializer_list<int> validatedSlots) {
    TFiche record;
    initNewRecord(record);
    record.setNom(nom);
    record.setPrenom(prenom);
    record.setClasse(classe);
    for (const int slot : validatedSlots) {
        record.setValide(slot, true);
    }
    return record;
}

QByteArray recordBytes(const TFiche& record) {
    return QByteArray(record.bytes().data(), TFiche::kSize);
}

} // namespace kalidor::test
