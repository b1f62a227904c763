#pragma once
// Texts of the record layer that reach the user.

namespace kalidor::texts {

inline constexpr char kFileNotFound[] = "Fichier introuvable";
inline constexpr char kAccessDenied[] = "Accès au fichier refusé";
inline constexpr char kTooManyOpenFiles[] = "Trop de fichiers ouverts";
inline constexpr char kBadFileName[] = "Nom de fichier incorrect";
inline constexpr char kDiskFull[] = "Disque plein";
inline constexpr char kReadPastEnd[] = "Lecture au-delà de la fin de fichier";
inline constexpr char kNotRegularFile[] = "Ce n'est pas un fichier ordinaire";
inline constexpr char kOtherIoError[] = "Erreur E/S %1";

} // namespace kalidor::texts
