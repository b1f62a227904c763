#pragma once
// Who holds a level: at least half of each domain (taken upwards) and a minimum total.

#include "records/tfiche.h"

#include <QStringList>
#include <array>

namespace kalidor {

// Validated state by slot; index 0 unused.
using SlotFlags = std::array<bool, kSlotCount + 1>;

SlotFlags validatedSlots(const TFiche& record);

// Number of validated competences of a level.
int validatedCount(int level, const SlotFlags& flags);
// The rule: every domain reaches its minimum, then the total reaches 18 (école) or 23
// (collège).
bool levelHeld(int level, const SlotFlags& flags);

// The minimums of the rule: of a domain, and of the level's total.
int domainMinimum(int level, int domain);
int totalMinimum(int level);
// Number of validated competences of a domain.
int validatedInDomain(int level, int domain, const SlotFlags& flags);

// What a pupil still lacks to hold a level: the least number of further competences, and the
// domains still under their minimum (in order). Nothing lacks for a pupil who holds it.
struct MissingCompetences {
    int count = 0;
    QList<int> domains;
};
MissingCompetences missingCompetences(int level, const SlotFlags& flags);

// The rule applied to a record's stored flags; testniveau1 and testniveau2 for école and
// collège.
bool levelHeldBy(const TFiche& record, int level);
bool testniveau1(const TFiche& record);
bool testniveau2(const TFiche& record);

// A text for each level and verdict.
struct VerdictWordings {
    const char* heldEcole;
    const char* notHeldEcole;
    const char* heldCollege;
    const char* notHeldCollege;
};
const char* verdictWording(const VerdictWordings& wordings, int level, bool held);

// The count immediately followed by the verdict: "20/22 Je détiens le Brevet ...".
QString verdictText(int level, int count, bool held);
// The rule as the sheet's results pages state it, one line each, the last a single blank.
QStringList ruleText(int level);

} // namespace kalidor
