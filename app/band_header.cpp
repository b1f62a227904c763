#include "app/band_header.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace kalidor {

BandHeader::BandHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

QSize BandHeader::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    size.setHeight(2 * size.height());
    return size;
}

QString BandHeader::bandOf(int logicalIndex) const {
    return model() != nullptr
               ? model()->headerData(logicalIndex, orientation(), kBandRole).toString()
               : QString();
}

void BandHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const QString band = bandOf(logicalIndex);
    if (band.isEmpty()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    const int top = bandHeight(rect);
    QHeaderView::paintSection(painter, rect.adjusted(0, top, 0, 0), logicalIndex);

    // The whole band, from its first section to its last: each of them draws the same.
    int first = logicalIndex;
    while (first > 0 && bandOf(first - 1) == band) {
        --first;
    }
    int last = logicalIndex;
    while (last + 1 < count() && bandOf(last + 1) == band) {
        ++last;
    }
    const int left = sectionViewportPosition(first);
    const int right = sectionViewportPosition(last) + sectionSize(last);
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = QRect(left, rect.top(), right - left, top);
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.textAlignment = Qt::AlignCenter;
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, &option, this);
    option.text = fontMetrics().elidedText(band, Qt::ElideRight, option.rect.width() - 2 * margin);
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
}

} // namespace kalidor
