// Any bytes as a class file under any name. The input is: one byte giving the length of the
// file's name (0 to 40), the name, one byte choosing a small block size, then the file.
//
// A file is refused exactly when its first block holds a byte that is not text (UTF-16 files
// aside, which are checked once decoded). Lines never hold a line break and are the same
// whatever the block size, so lines that cross blocks are read as those that do not. The
// import creates one pupil per line that names somebody, at most 999, each a record that looks
// like a pupil's (what the transfer listing checks) with its list line ending in its number.

#include "exchange/class_file.h"
#include "exchange/transfer_file.h"
#include "fuzz/fuzz_support.h"
#include "records/cp1252.h"
#include "records/list_lines.h"
#include "records/record_file.h"

#include <QDir>
#include <algorithm>
#include <cstdint>

namespace {

using namespace kalidor;
using fuzz::check;
using fuzz::showsNumber;

constexpr size_t kMaxNameLength = 40;

// A name a file can have: no folder separator, no NUL, neither empty nor "." nor "..".
QString fileNameFrom(const char* bytes, size_t length) {
    QString name = QString::fromUtf8(bytes, static_cast<qsizetype>(length));
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    name.remove(QChar(0));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        name.prepend(QLatin1Char('f'));
    }
    return name;
}

QStringList allLines(ClassFileReader& reader) {
    QStringList lines;
    while (const std::optional<QString> line = reader.nextLine()) {
        check(!line->isEmpty(), "an empty line was handed out");
        check(!line->contains(QLatin1Char('\n')) && !line->contains(QLatin1Char('\r')),
              "a line holds a line break");
        lines.append(*line);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::RunFolder inputs;
    static const fuzz::RunFolder pupils;
    const auto* bytes = reinterpret_cast<const char*>(data);
    if (size < 2) {
        return 0;
    }
    const size_t nameLength = std::min<size_t>(data[0] % (kMaxNameLength + 1), size - 2);
    const QString fileName = inputs.path() + QLatin1Char('/') + fileNameFrom(bytes + 1, nameLength);
    const qsizetype blockSize = 4 + data[1 + nameLength] % 61;
    const char* text = bytes + 2 + nameLength;
    const size_t textSize = size - 2 - nameLength;
    inputs.empty();
    fuzz::writeFile(fileName, text, textSize);

    ClassFileReader reader(fileName);
    check(reader.isOpen(), "a plain file did not open");
    const QByteArrayView first(
        text, std::min<qsizetype>(static_cast<qsizetype>(textSize), ClassFileReader::kBlockSize));
    const bool utf16 = first.startsWith("\xFF\xFE") || first.startsWith("\xFE\xFF");
    if (!utf16) {
        check(reader.isText() == std::all_of(first.begin(), first.end(), isTextByte),
              "the first block was judged wrongly");
    }
    if (!reader.isText()) {
        return 0; // refused before any pupil is created
    }
    const QStringList lines = allLines(reader);
    ClassFileReader small(fileName, blockSize);
    const QStringList smallLines = allLines(small);
    if (reader.isText()) {
        check(small.isText(), "small blocks found what is not text where big ones did not");
        check(smallLines == lines, "the lines depend on the block size");
    }

    pupils.empty();
    SharedState state;
    state.prefix = pupils.prefix();
    ClassFileReader again(fileName);
    int handed = 0;
    const int created =
        importClass(state, classFromFileName(fileName), again, [&](const ListEntry& entry) {
            ++handed;
            check(entry.number == QString::number(handed), "numbers are not taken in order");
            TFiche record;
            readRecordFile(recordFileName(state, entry.number), record);
            check(entry.line == recordLine(record, entry.number, true) &&
                      showsNumber(entry.line, entry.number),
                  "a list line does not show its pupil and number");
            check(looksLikePupilRecord(record), "a created record does not look like a pupil's");
        });
    const auto named = std::count_if(lines.cbegin(), lines.cend(),
                                     [](const QString& line) { return !namesNobody(line); });
    check(created == handed, "a created pupil was not handed out");
    check(created == std::min<qsizetype>(named, kMaxRecordNumber), "a line was lost or added");
    check(QDir(pupils.path()).entryList(QDir::Files | QDir::Hidden).size() == created,
          "the folder does not hold the created pupils alone");
    return 0;
}
