#pragma once
// Texts of the platform's own dialogs.

namespace kalidor::texts {

inline constexpr char kApplicationTitle[] = "KALIDOR";
inline constexpr char kYes[] = "Oui";
inline constexpr char kNo[] = "Non";

// Failures that are not input/output errors, shown in the standard error box.
inline constexpr char kOutOfMemory[] = "Mémoire insuffisante";
inline constexpr char kUnexpectedFailure[] = "Erreur inattendue : %1";

} // namespace kalidor::texts
