#pragma once
// A horizontal header whose sections can stand under a band: adjacent sections for which the
// model's header data at kBandRole is the same text share one band above them, naming them as
// a group. A section without band text spans the header's whole height.

#include <QHeaderView>

namespace kalidor {

class BandHeader : public QHeaderView {
    Q_OBJECT
public:
    static constexpr int kBandRole = Qt::UserRole + 1;

    explicit BandHeader(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    QString bandOf(int logicalIndex) const;
    // The band's part of a section's height: the band row over the sections' own row.
    static int bandHeight(const QRect& rect) { return rect.height() / 2; }
};

} // namespace kalidor
