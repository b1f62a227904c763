#include "records/level_rules.h"

#include "records/referential.h"
#include "records/utf8.h"

namespace kalidor {

namespace {

constexpr int kDomainMinimums[2][kDomainCount] = {{2, 2, 3, 2, 2}, {3, 4, 4, 3, 2}};
constexpr int kTotalMinimums[2] = {18, 23};

constexpr const char* kVerdictHeld[2] = {
    "/22 Je détiens le Brevet informatique et internet niveau école",
    "/29 Je détiens le Brevet informatique et internet niveau collège",
};
constexpr const char* kVerdictNotHeld[2] = {
    "/22 Je NE détiens PAS le Brevet informatique et internet niveau école",
    "/29 Je NE détiens PAS le Brevet informatique et internet niveau collège",
};

constexpr const char* kRuleLines[2][5] = {
    {"Pour détenir le B2i niveau école il faut  ",
     "-qu'au moins la moitié des items de chaque domaine soit validée", "et",
     "-qu'au moins 18 des 22 compétences soient validées.", " "},
    {"Pour détenir le B2i niveau collège il faut ",
     "- qu'au moins la moitié des items de chaque domaine soit validée", "et",
     "- qu'au moins 23 des 29 compétences soient validées.", " "},
};

} // namespace

SlotFlags validatedSlots(const TFiche& record) {
    SlotFlags flags{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        flags[slot] = record.valide(slot);
    }
    return flags;
}

int validatedCount(int level, const SlotFlags& flags) {
    int count = 0;
    for (int slot = firstSlot(level); slot < firstSlot(level) + slotCount(level); ++slot) {
        count += flags[slot] ? 1 : 0;
    }
    return count;
}

bool levelHeld(int level, const SlotFlags& flags) {
    int total = 0;
    for (int domain = 1; domain <= kDomainCount; ++domain) {
        const int first = domainFirstSlot(level, domain);
        int count = 0;
        for (int slot = first; slot < first + domainSize(level, domain); ++slot) {
            count += flags[slot] ? 1 : 0;
        }
        if (count < kDomainMinimums[level - 1][domain - 1]) {
            return false;
        }
        total += count;
    }
    return total >= kTotalMinimums[level - 1];
}

bool testniveau1(const TFiche& record) {
    return levelHeld(kLevelEcole, validatedSlots(record));
}

bool testniveau2(const TFiche& record) {
    return levelHeld(kLevelCollege, validatedSlots(record));
}

QString verdictText(int level, int count, bool held) {
    return QString::number(count) +
           tr8(held ? kVerdictHeld[level - 1] : kVerdictNotHeld[level - 1]);
}

QStringList ruleText(int level) {
    QStringList lines;
    for (const char* line : kRuleLines[level - 1]) {
        lines.append(tr8(line));
    }
    return lines;
}

} // namespace kalidor
