#include "records/tfiche.h"

#include "records/cp1252.h"

#include <algorithm>
#include <cstring>

namespace kalidor {

static_assert(fields::kProfesseurBase + 21 * kSlotCount + 21 == TFiche::kSize);

QByteArrayView TFiche::stored(ShortStringField field) const {
    const int length =
        std::min<int>(static_cast<unsigned char>(bytes_[field.offset]), field.capacity);
    return QByteArrayView(bytes_.data() + field.offset + 1, length);
}

QString TFiche::text(ShortStringField field) const {
    const QByteArrayView bytes = stored(field);
    return decodeCp1252(bytes.data(), bytes.size());
}

void TFiche::setText(ShortStringField field, const QString& value) {
    const QByteArray encoded = encodeCp1252(value);
    const int length = std::min<int>(encoded.size(), field.capacity);
    char* start = bytes_.data() + field.offset;
    start[0] = static_cast<char>(length);
    std::memcpy(start + 1, encoded.constData(), length);
    std::memset(start + 1 + length, 0, field.capacity - length);
}

void initNewRecord(TFiche& record) {
    forEachTextField([&record](ShortStringField field) { record.bytes()[field.offset] = 0; });
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        record.setValide(slot, false);
    }
}

} // namespace kalidor
