#pragma once
// Names of the generated sample pupils.

namespace kalidor::texts {

inline constexpr char kSampleBlankName[] = "n";
inline constexpr char kSampleNiveau1Name[] = "niv1_";
inline constexpr char kSampleNiveau2Name[] = "niv2_";
inline constexpr char kSampleFirstName[] = "p";
inline constexpr char kSampleClass[] = "a";

} // namespace kalidor::texts
