// Any bytes as a pupil's record file. A file holding at least a record loads, and saving the
// loaded record gives back its first 3022 bytes exactly; a shorter file is refused and leaves
// the current record as it was. No field reads as more characters than it holds, a field
// stored again as it reads keeps its bytes, and the record's list lines end with its number.

#include "fuzz/fuzz_support.h"
#include "records/io_error.h"
#include "records/list_lines.h"
#include "records/record_file.h"

#include <cstdint>
#include <cstring>

namespace {

using namespace kalidor;
using fuzz::check;
using fuzz::showsNumber;

void checkField(const TFiche& record, ShortStringField field) {
    const QString text = record.text(field);
    check(text.size() <= field.capacity, "a field reads longer than its capacity");
    TFiche again = record;
    again.setText(field, text);
    check(again.text(field) == text, "a field stored as it reads comes back different");
    check(std::memcmp(again.bytes().data() + field.offset + 1,
                      record.bytes().data() + field.offset + 1, text.size()) == 0,
          "a field stored as it reads changes its bytes");
}

void checkFields(const TFiche& record) {
    forEachTextField([&record](ShortStringField field) { checkField(record, field); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::RunFolder folder;
    SharedState state;
    state.prefix = folder.prefix();
    const QString input = recordFileName(state, QStringLiteral("1"));
    const QString saved = recordFileName(state, QStringLiteral("2"));
    fuzz::writeFile(input, reinterpret_cast<const char*>(data), size);

    state.current.bytes().fill('\x5a');
    const TFiche before = state.current;
    bool loaded = true;
    try {
        loadRecord(state, input);
    } catch (const IoError&) {
        loaded = false;
    }
    if (size < static_cast<size_t>(TFiche::kSize)) {
        check(!loaded, "a file shorter than a record loaded");
        check(state.current.bytes() == before.bytes(), "a refused load changed the record");
        return 0;
    }
    check(loaded, "a file holding a whole record did not load");

    saveRecord(state, saved);
    const QByteArray written = fuzz::readFile(saved);
    check(written.size() == TFiche::kSize, "the saved file is not one record long");
    check(std::memcmp(written.constData(), data, TFiche::kSize) == 0,
          "the saved record differs from the loaded bytes");

    checkFields(state.current);
    const QString number = QStringLiteral("12");
    for (const bool byName : {true, false}) {
        check(showsNumber(recordLine(state.current, number, byName), number),
              "a list line does not end with its number");
    }
    return 0;
}
