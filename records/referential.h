#pragma once
// The B2i referential: two levels, five domains each, 51 competences. A competence's slot
// (1..51) is where its state lives in the pupil record; slots 1..22 are niveau école,
// 23..51 niveau collège.

#include <QString>
#include <QStringList>

namespace kalidor {

inline constexpr int kLevelEcole = 1;
inline constexpr int kLevelCollege = 2;
inline constexpr int kDomainCount = 5;

struct Competence {
    int slot;
    int level;          // 1 école, 2 collège
    int domain;         // 1..5
    int item;           // within the domain, from 1
    int number;         // running number within the level
    const char* digits; // level, domain and item digits: "111" ... "254"
    const char* text;   // the wording, without item code or number (UTF-8)
};

const Competence& competence(int slot);

int firstSlot(int level);                   // 1 or 23
int slotCount(int level);                   // 22 or 29
int domainFirstSlot(int level, int domain); // école 1, 5, 9, 15, 19; collège 23, 29, 36, 43, 48
int domainSize(int level, int domain);      // école 4, 4, 6, 4, 4; collège 6, 7, 7, 5, 4
int slotOf(int level, int domain, int item);

QString levelName(int level); // "école" or "collège"

// "1.1": the item code shown on the sheet; unique only within a level.
QString itemCode(int slot);
// The text as the sheet shows it: item code, a blank, the wording.
QString sheetText(int slot);
// The text as the index lists it: a blank, the running number, a blank, the wording.
QString indexText(int slot);
// "cb111": the name of the competence's check box on the sheet.
QString checkBoxName(int slot);
// "n111.txt": the competence's description file beside the program.
QString descriptionFileName(int slot);

QString domainSheetTitle(int domain); // "1- S'approprier ..."
QString domainIndexTitle(int domain); // "S'approprier ..."

// The index of a level's competences, as shown in the text pane: heading, an empty line, then
// each domain title followed by its competences.
QStringList competenceIndex(int level);

} // namespace kalidor
