#pragma once
// The order of the pupil lists: whole line text, ascending, case-insensitive, French
// (accented letters with their base letters).

#include <QCollator>
#include <QString>

namespace kalidor {

class ListOrder {
public:
    ListOrder();
    int compare(const QString& a, const QString& b) const { return collator_.compare(a, b); }

private:
    QCollator collator_;
};

} // namespace kalidor
