#include "records/level_rules.h"

#include "records/record_texts.h"
#include "records/referential.h"
#include "records/utf8.h"

namespace kalidor {

namespace {

constexpr int kDomainMinimums[2][kDomainCount] = {{2, 2, 3, 2, 2}, {3, 4, 4, 3, 2}};
constexpr int kTotalMinimums[2] = {18, 23};

constexpr VerdictWordings kResultsVerdicts{
    record_texts::kVerdictHeldEcole, record_texts::kVerdictNotHeldEcole,
    record_texts::kVerdictHeldCollege, record_texts::kVerdictNotHeldCollege};

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

bool levelHeldBy(const TFiche& record, int level) {
    return levelHeld(level, validatedSlots(record));
}

bool testniveau1(const TFiche& record) {
    return levelHeldBy(record, kLevelEcole);
}

bool testniveau2(const TFiche& record) {
    return levelHeldBy(record, kLevelCollege);
}

const char* verdictWording(const VerdictWordings& wordings, int level, bool held) {
    if (level == kLevelEcole) {
        return held ? wordings.heldEcole : wordings.notHeldEcole;
    }
    return held ? wordings.heldCollege : wordings.notHeldCollege;
}

QString verdictText(int level, int count, bool held) {
    return tr8(verdictWording(kResultsVerdicts, level, held)).arg(count);
}

QStringList ruleText(int level) {
    QStringList lines;
    for (const char* line :
         level == kLevelEcole ? record_texts::kRuleLinesEcole : record_texts::kRuleLinesCollege) {
        lines.append(tr8(line));
    }
    return lines;
}

} // namespace kalidor
