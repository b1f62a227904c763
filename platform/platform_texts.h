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
// %1 the printer's name; %2 why, in the print spooler's own words.
inline constexpr char kPrinterRefusesJobs[] = "L'imprimante %1 refuse les travaux d'impression.";
inline constexpr char kPrinterSpoolerFailed[] = "Impression impossible sur l'imprimante %1 : %2";
inline constexpr char kPrintServerNotAnswering[] = "Le serveur d'impression ne répond pas.";

// The window of a long command.
inline constexpr char kProgressCaption[] = "KALIDOR";
inline constexpr char kProgressCancel[] = "Annuler";

} // namespace kalidor::platform_texts
