#pragma once
// Texts of the platform's own dialogs and of the printer's failures.

namespace kalidor::platform_texts {

inline constexpr char kApplicationTitle[] = "KALIDOR";
inline constexpr char kYes[] = "Oui";
inline constexpr char kNo[] = "Non";

// Failures that are not input/output errors, shown in the standard error box.
inline constexpr char kOutOfMemory[] = "Mémoire insuffisante";
inline constexpr char kUnexpectedFailure[] = "Erreur inattendue : %1";

// The printer's failures
inline constexpr char kPrinterStartFailed[] =
    "Impression impossible : l'imprimante n'a pas pu commencer le document.";
inline constexpr char kPrinterPageFailed[] =
    "Impression interrompue : l'imprimante n'a pas accepté une nouvelle page.";

} // namespace kalidor::platform_texts
