#include "sheet/sheet_item_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace kalidor {

namespace {
constexpr int kTextSpacing = 6;
}

void SheetItemButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);

    QStyleOptionButton indicator = option;
    const int width = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, this);
    const int height = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight, &option, this);
    indicator.rect = QRect(0, (this->height() - height) / 2, width, height);
    painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);

    const QRect textRect = rect().adjusted(width + kTextSpacing, 0, 0, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textRect;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool SheetItemButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

} // namespace kalidor
