#pragma once
// The order of the pupil lists: whole line text, ascending, case-insensitive, French
// (accented letters with their base letters).

#include <QCollator>
#include <QCollatorSortKey>
#include <QString>

namespace kalidor {

class ListOrder {
public:
    ListOrder();
    // A key that compares as the line does; computing it once per line keeps sorting a
    // thousand lines cheap.
    QCollatorSortKey key(const QString& line) const { return collator_.sortKey(line); }
    int compare(const QString& a, const QString& b) const { return collator_.compare(a, b); }

private:
    QCollator collator_;
};

} // namespace kalidor
