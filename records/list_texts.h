#pragma once
// Texts of the main list: line separators and count lines.

namespace kalidor::texts {

inline constexpr char kNumberSeparator[] = " - n° ";
inline constexpr char kClassSeparator[] = " : ";

// Count lines, plural (2 and more) then singular (0 and 1), after the number.
inline constexpr char kTotalPlural[] = " élèves au total";
inline constexpr char kTotalSingular[] = " élève au total";
inline constexpr char kWithEcolePlural[] = " élèves de niveau école";
inline constexpr char kWithEcoleSingular[] = " élève de niveau école";
inline constexpr char kWithCollegePlural[] = " élèves de niveau collège";
inline constexpr char kWithCollegeSingular[] = " élève de niveau collège";
inline constexpr char kWithoutEcolePlural[] = " élèves qui n'ont pas le niveau école";
inline constexpr char kWithoutEcoleSingular[] = " élève qui n'a pas le niveau école";
inline constexpr char kWithoutCollegePlural[] = " élèves qui n'ont pas le niveau collège";
inline constexpr char kWithoutCollegeSingular[] = " élève qui n'a pas le niveau collège";

} // namespace kalidor::texts
