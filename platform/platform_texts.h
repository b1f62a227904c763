#pragma once
// Texts of the platform's own dialogs.

namespace kalidor::texts {

inline constexpr char kApplicationTitle[] = "KALIDOR";
inline constexpr char kYes[] = "Oui";
inline constexpr char kNo[] = "Non";

} // namespace kalidor::texts
