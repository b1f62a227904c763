#pragma once
// Texts of the printer layer's failures.

namespace kalidor::texts {

inline constexpr char kPrinterStartFailed[] =
    "Impression impossible : l'imprimante n'a pas pu commencer le document.";
inline constexpr char kPrinterPageFailed[] =
    "Impression interrompue : l'imprimante n'a pas accepté une nouvelle page.";

} // namespace kalidor::texts
