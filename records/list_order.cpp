#include "records/list_order.h"

#include <QLocale>

namespace kalidor {

ListOrder::ListOrder() : collator_(QLocale(QLocale::French, QLocale::France)) {
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

} // namespace kalidor
