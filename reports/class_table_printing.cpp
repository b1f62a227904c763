#include "reports/class_table_printing.h"

#include "platform/ui_style.h"
#include "records/class_table_texts.h"
#include "records/referential.h"
#include "records/report_texts.h"
#include "records/utf8.h"

#include <QHash>
#include <algorithm>

namespace kalidor {

namespace {

constexpr int kTitleSize = 11;
constexpr int kCellSize = 8;
// In layout units: the title's line, the top of the headers, the page number's line above the
// bottom edge, and the bottom of the rows above it.
constexpr int kTitleY = 2;
constexpr int kHeadersY = 5;
constexpr int kPageNumberFromBottom = 3;
constexpr int kRowsEndFromBottom = 4;

// The texts of one printed row, column by column.
QStringList rowTexts(const ClassTable& table, const TableRow& row, const TablePupil& pupil,
                     const QString& mark) {
    QStringList texts{pupil.name()};
    for (int slot = firstSlot(table.level); slot < firstSlot(table.level) + slotCount(table.level);
         ++slot) {
        texts.append(pupil.valide(slot) ? mark : QString());
    }
    texts << tableTotalText(table.level, row.validated) << tableLevelText(row.held)
          << missingText(row.missing);
    return texts;
}

QStringList headerTexts(int level) {
    QStringList texts{tr8(class_table_texts::kColumnPupil)};
    for (int slot = firstSlot(level); slot < firstSlot(level) + slotCount(level); ++slot) {
        texts.append(QString::number(competence(slot).number));
    }
    texts << tr8(class_table_texts::kColumnTotal) << tr8(class_table_texts::kColumnLevel)
          << tr8(class_table_texts::kColumnMissing);
    return texts;
}

QStringList countsTexts(const ClassTable& table) {
    QStringList texts{tr8(class_table_texts::kCountsRow)};
    for (const int count : table.validatedBy) {
        texts.append(QString::number(count));
    }
    texts << QString() << heldByText(table) << QString();
    return texts;
}

// The columns' left edges and widths across the page: the pupils' column, the competences'
// columns (their texts centred), then total, level and what lacks.
struct Columns {
    QList<int> left;
    QList<int> width;
    int competences = 0;
    int right = 0;
    int pad = 0;
    bool centred(qsizetype column) const { return column >= 1 && column <= competences; }
};

// `text` cut until it fits in `width`.
QString fitted(const Printer& printer, const QString& text, int width) {
    QString cut = text;
    while (!cut.isEmpty() && printer.textWidth(cut) > width) {
        cut.chop(1);
    }
    return cut;
}

class TablePrinter {
public:
    TablePrinter(CanvasDocument& document, const ClassTable& table, const QList<TablePupil>& pupils,
                 const QDate& today)
        : document_(document), printer_(document.printer()), table_(table), pupils_(pupils),
          title_(printedTableTitle(table.level, table.classe, today)),
          mark_(tr8(class_table_texts::kValidatedMark)) {}

    void print();

private:
    void drawPageTop(int page, int pages);
    // Over the competences' headers, each domain's band.
    void drawBands(int top);
    void drawRow(const QStringList& texts, int top);
    void drawRules(int top, int bottom);
    void layColumns(const QList<QStringList>& rows);
    // A text's width in the cells' font, measured once.
    int widthOf(const QString& text);

    CanvasDocument& document_;
    Printer& printer_;
    const ClassTable& table_;
    const QList<TablePupil>& pupils_;
    QString title_;
    QString mark_;
    Columns columns_;
    int rowHeight_ = 0;
    int textHeight_ = 0;
    QHash<QString, int> widths_;
};

int TablePrinter::widthOf(const QString& text) {
    const auto known = widths_.constFind(text);
    if (known != widths_.cend()) {
        return *known;
    }
    const int width = printer_.textWidth(text);
    widths_.insert(text, width);
    return width;
}

// Every column is as wide as its widest text; the pupils' column gives way when the page is too
// narrow, and what the page has to spare widens the competences' columns.
void TablePrinter::layColumns(const QList<QStringList>& rows) {
    const int competences = slotCount(table_.level);
    const int count = 1 + competences + 3;
    const int pad = std::max(1, document_.unitX() / 3);
    const int pageLeft = document_.unitX();
    const int available = document_.pageWidth() - 2 * pageLeft;
    QList<int> widest(count, 0);
    for (const QStringList& texts : rows) {
        for (int column = 0; column < count; ++column) {
            if (!texts.at(column).isEmpty()) {
                widest[column] = std::max(widest[column], widthOf(texts.at(column)));
            }
        }
    }
    const int competenceWidth =
        *std::max_element(widest.cbegin() + 1, widest.cbegin() + 1 + competences) + 2 * pad;
    int others = 0;
    for (int column = 1 + competences; column < count; ++column) {
        others += widest[column] + 2 * pad;
    }
    const int nameWidth = std::max(
        2 * pad, std::min(widest[0] + 2 * pad, available - others - competences * competenceWidth));
    const int spare =
        std::max(0, available - others - nameWidth - competences * competenceWidth) / competences;
    columns_ = Columns{};
    columns_.competences = competences;
    columns_.pad = pad;
    int x = pageLeft;
    for (int column = 0; column < count; ++column) {
        const int width = column == 0             ? nameWidth
                          : column <= competences ? competenceWidth + spare
                                                  : widest[column] + 2 * pad;
        columns_.left.append(x);
        columns_.width.append(width);
        x += width;
    }
    columns_.right = x;
}

void TablePrinter::drawRow(const QStringList& texts, int top) {
    const int y = top + (rowHeight_ - textHeight_) / 2;
    for (qsizetype column = 0; column < texts.size(); ++column) {
        const QString& text = texts.at(column);
        if (text.isEmpty()) {
            continue;
        }
        const int width = columns_.width.at(column) - 2 * columns_.pad;
        if (columns_.centred(column)) {
            printer_.textOut(columns_.left.at(column) +
                                 (columns_.width.at(column) - widthOf(text)) / 2,
                             y, text);
        } else if (column == 0 && widthOf(text) > width) {
            printer_.textOut(columns_.left.at(column) + columns_.pad, y,
                             fitted(printer_, text, width));
        } else {
            printer_.textOut(columns_.left.at(column) + columns_.pad, y, text);
        }
    }
    printer_.moveTo(columns_.left.first(), top + rowHeight_);
    printer_.lineTo(columns_.right, top + rowHeight_);
}

void TablePrinter::drawBands(int top) {
    const int level = table_.level;
    const int bottom = top + rowHeight_;
    const int y = top + (rowHeight_ - textHeight_) / 2;
    printer_.moveTo(columns_.left.at(1), top);
    printer_.lineTo(columns_.left.at(1 + columns_.competences), top);
    for (int domain = 1; domain <= kDomainCount; ++domain) {
        const int first = 1 + domainFirstSlot(level, domain) - firstSlot(level);
        const int last = first + domainSize(level, domain) - 1;
        const int left = columns_.left.at(first);
        const int width = columns_.left.at(last) + columns_.width.at(last) - left;
        const QString text = fitted(printer_, domainBandText(domain), width - 2 * columns_.pad);
        printer_.textOut(left + (width - widthOf(text)) / 2, y, text);
        printer_.moveTo(left, top);
        printer_.lineTo(left, bottom);
    }
    printer_.moveTo(columns_.left.at(1 + columns_.competences), top);
    printer_.lineTo(columns_.left.at(1 + columns_.competences), bottom);
}

void TablePrinter::drawRules(int top, int bottom) {
    printer_.moveTo(columns_.left.first(), top);
    printer_.lineTo(columns_.right, top);
    for (const int left : columns_.left) {
        printer_.moveTo(left, top);
        printer_.lineTo(left, bottom);
    }
    printer_.moveTo(columns_.right, top);
    printer_.lineTo(columns_.right, bottom);
}

void TablePrinter::drawPageTop(int page, int pages) {
    const int unitX = document_.unitX();
    const int unitY = document_.unitY();
    printer_.setFont(arial(kTitleSize, true));
    printer_.textOut(unitX, kTitleY * unitY, title_);
    printer_.setFont(arial(kCellSize));
    const QString number = tr8(class_table_texts::kPageNumber).arg(page).arg(pages);
    printer_.textOut(document_.pageWidth() - unitX - printer_.textWidth(number),
                     document_.pageHeight() - kPageNumberFromBottom * unitY, number);
}

void TablePrinter::print() {
    printer_.setFont(arial(kCellSize));
    const int unitY = document_.unitY();
    textHeight_ = printer_.textHeight();
    rowHeight_ = textHeight_ * 3 / 2;

    QList<QStringList> rows{headerTexts(table_.level)};
    rows.reserve(table_.rows.size() + 2);
    for (const TableRow& row : table_.rows) {
        rows.append(rowTexts(table_, row, pupils_.at(row.pupil), mark_));
    }
    rows.append(countsTexts(table_));
    layColumns(rows);

    // The domains' bands, then the headers, then the rows.
    const int bandsTop = kHeadersY * unitY;
    const int headersTop = bandsTop + rowHeight_;
    const int rowsBottom = document_.pageHeight() - kRowsEndFromBottom * unitY;
    const int perPage = std::max(1, (rowsBottom - headersTop) / rowHeight_ - 1);
    // The pupils' rows, then the counts: every line below the headers.
    const qsizetype lines = rows.size() - 1;
    const int pages = static_cast<int>((lines + perPage - 1) / perPage);
    qsizetype next = 1;
    for (int page = 1; page <= pages; ++page) {
        if (!document_.beginPage()) {
            return;
        }
        drawPageTop(page, pages);
        drawBands(bandsTop);
        drawRow(rows.first(), headersTop);
        int top = headersTop + rowHeight_;
        for (int k = 0; k < perPage && next < rows.size(); ++k) {
            drawRow(rows.at(next++), top);
            top += rowHeight_;
            document_.platform().processEvents();
        }
        drawRules(headersTop, top);
    }
    document_.finish();
}

} // namespace

bool printClassTable(CanvasDocument& document, QWidget* parent, const ClassTable& table,
                     const QList<TablePupil>& pupils, const QDate& today) {
    if (table.rows.isEmpty()) {
        return false;
    }
    if (!document.start(parent, tr8(class_table_texts::kDocumentName), tr8(report_texts::kPanelB2i),
                        PageOrientation::Landscape)) {
        return false;
    }
    TablePrinter(document, table, pupils, today).print();
    return true;
}

} // namespace kalidor
