#include "records/level_rules.h"

#include "records/record_texts.h"
#include "records/referential.h"
#include "records/utf8.h"

#include <algorithm>

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

int domainMinimum(int level, int domain) {
    return kDomainMinimums[level - 1][domain - 1];
}

int totalMinimum(int level) {
    return kTotalMinimums[level - 1];
}

int validatedInDomain(int level, int domain, const SlotFlags& flags) {
    const int first = domainFirstSlot(level, domain);
    int count = 0;
    for (int slot = first; slot < first + domainSize(level, domain); ++slot) {
        count += flags[slot] ? 1 : 0;
    }
    return count;
}

bool levelHeld(int level, const SlotFlags& flags) {
    int total = 0;
    for (int domain = 1; domain <= kDomainCount; ++domain) {
        const int count = validatedInDomain(level, domain, flags);
        if (count < domainMinimum(level, domain)) {
            return false;
        }
        total += count;
    }
    return total >= totalMinimum(level);
}

MissingCompetences missingCompetences(int level, const SlotFlags& flags) {
    // Each domain needs its own shortfall, and every competence added also counts towards the
    // total: the least number is the larger of the two needs.
    MissingCompetences missing;
    int total = 0;
    int domainsNeed = 0;
    for (int domain = 1; domain <= kDomainCount; ++domain) {
        const int count = validatedInDomain(level, domain, flags);
        total += count;
        if (count < domainMinimum(level, domain)) {
            domainsNeed += domainMinimum(level, domain) - count;
            missing.domains.append(domain);
        }
    }
    missing.count = std::max({0, totalMinimum(level) - total, domainsNeed});
    return missing;
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
