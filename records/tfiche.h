#pragma once
// The pupil record: the 3022 bytes of a record file, kept as they are, with accessors for the
// fields the program uses. Bytes nobody sets (reserved fields, bytes past a text's length) are
// carried through unchanged.

#include <QByteArrayView>
#include <QString>
#include <array>

namespace kalidor {

// A text field of the record: a length byte followed by `capacity` bytes of Windows-1252 text.
struct ShortStringField {
    int offset;
    int capacity;
};

namespace fields {
inline constexpr ShortStringField kNom{0, 20};
inline constexpr ShortStringField kPrenom{21, 20};
inline constexpr ShortStringField kClasse{55, 8};
inline constexpr ShortStringField kDateNais{64, 10};
// The eleven fields no command reads, emptied in a new record.
inline constexpr std::array<ShortStringField, 11> kReserved{{
    {42, 1},
    {44, 1},
    {46, 8},
    {75, 20},
    {96, 8},
    {105, 20},
    {126, 20},
    {147, 5},
    {153, 20},
    {174, 12},
    {187, 80},
}};
inline constexpr int kValideBase = 267;     // slot s at 267 + s
inline constexpr int kDateBase = 308;       // slot s at 308 + 11 s
inline constexpr int kDisciplineBase = 859; // slot s at 859 + 21 s
inline constexpr int kProfesseurBase = 1930;
inline constexpr int kDateCapacity = 10;
inline constexpr int kDisciplineCapacity = 20;
inline constexpr int kProfesseurCapacity = 20;
} // namespace fields

inline constexpr int kSlotCount = 51;

class TFiche {
public:
    static constexpr int kSize = 3022;
    using Bytes = std::array<char, kSize>;

    TFiche() { bytes_.fill(0); }

    Bytes& bytes() { return bytes_; }
    const Bytes& bytes() const { return bytes_; }

    // A field's bytes as stored, Windows-1252; a length byte above the capacity reads as the
    // capacity.
    QByteArrayView stored(ShortStringField field) const;
    // A field's text.
    QString text(ShortStringField field) const;
    // Stores the first `capacity` characters of `value` and zeroes the rest of the field.
    void setText(ShortStringField field, const QString& value);

    QString nom() const { return text(fields::kNom); }
    QString prenom() const { return text(fields::kPrenom); }
    QString classe() const { return text(fields::kClasse); }
    QString dateNais() const { return text(fields::kDateNais); }
    void setNom(const QString& v) { setText(fields::kNom, v); }
    void setPrenom(const QString& v) { setText(fields::kPrenom, v); }
    void setClasse(const QString& v) { setText(fields::kClasse, v); }
    void setDateNais(const QString& v) { setText(fields::kDateNais, v); }

    // Per-competence data, slot 1..51. Any non-zero flag byte counts as validated.
    bool valide(int slot) const { return bytes_[fields::kValideBase + slot] != 0; }
    void setValide(int slot, bool validated) {
        bytes_[fields::kValideBase + slot] = validated ? 1 : 0;
    }
    QString date(int slot) const { return text(dateField(slot)); }
    QString discipline(int slot) const { return text(disciplineField(slot)); }
    QString professeur(int slot) const { return text(professeurField(slot)); }
    void setDate(int slot, const QString& v) { setText(dateField(slot), v); }
    void setDiscipline(int slot, const QString& v) { setText(disciplineField(slot), v); }
    void setProfesseur(int slot, const QString& v) { setText(professeurField(slot), v); }

    static constexpr ShortStringField dateField(int slot) {
        return {fields::kDateBase + 11 * slot, fields::kDateCapacity};
    }
    static constexpr ShortStringField disciplineField(int slot) {
        return {fields::kDisciplineBase + 21 * slot, fields::kDisciplineCapacity};
    }
    static constexpr ShortStringField professeurField(int slot) {
        return {fields::kProfesseurBase + 21 * slot, fields::kProfesseurCapacity};
    }

private:
    Bytes bytes_;
};

// Calls `visit` with every text field of the record, reserved ones included.
template <typename Visit> void forEachTextField(Visit&& visit) {
    visit(fields::kNom);
    visit(fields::kPrenom);
    visit(fields::kClasse);
    visit(fields::kDateNais);
    for (const ShortStringField field : fields::kReserved) {
        visit(field);
    }
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        visit(TFiche::dateField(slot));
        visit(TFiche::disciplineField(slot));
        visit(TFiche::professeurField(slot));
    }
}

// Empties every text field (reserved ones included) and clears every competence; the bytes
// past the length bytes are left as they are.
void initNewRecord(TFiche& record);

} // namespace kalidor
