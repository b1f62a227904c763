#include "platform/printer.h"

namespace kalidor {

bool mayStartDocument(Printer& printer, QWidget* parent, PageOrientation orientation) {
    if (printer.printing()) {
        return false;
    }
    if (orientation == PageOrientation::Portrait) {
        printer.setPortrait();
    } else if (orientation == PageOrientation::Landscape) {
        printer.setLandscape();
    }
    return printer.executePrintDialog(parent);
}

} // namespace kalidor
