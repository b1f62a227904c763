#include "platform/printer.h"

namespace kalidor {

bool mayStartDocument(Printer& printer, QWidget* parent, PageOrientation orientation) {
    if (printer.printing()) {
        return false;
    }
    if (orientation == PageOrientation::Portrait) {
        printer.setPortrait();
    }
    return printer.executePrintDialog(parent);
}

} // namespace kalidor
